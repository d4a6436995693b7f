# Commands over document archives.
vantrel_cli_command(DumpCommand DumpCommand.cpp DocumentJson.cpp JsonWriter.cpp)
vantrel_cli_command(ConvertCommand ConvertCommand.cpp)
