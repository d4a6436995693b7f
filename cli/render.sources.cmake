# The chart as a picture: SVG from the core, PNG and PDF through Qt (see CMakeLists.txt).
vantrel_cli_command(RenderCommand RenderCommand.cpp CliDocument.cpp CliMessages.cpp)
