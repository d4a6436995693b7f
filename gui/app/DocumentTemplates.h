// The document types of the program: the seven chart templates and the list template,
// with their file filters from the document strings of the language library.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "app/BrandedTexts.h"

namespace vantrel::gui {

struct DocumentTemplate {
  int resourceId = 0;
  QString filterName;             // e.g. "Vantrel-Dokumente (*.vqb)"
  std::u16string extension;       // e.g. ".vqb"; empty when the template names none
  std::u16string documentString;  // with the product names put in
};

class DocumentTemplates {
 public:
  /// Chart templates in registration order: 135, 129, 130, 131, 132, 133, 134.
  explicit DocumentTemplates(const app::BrandedTexts& texts);

  const std::vector<DocumentTemplate>& ChartTemplates() const { return templates_; }
  /// The template the instrument's documents come from (resource 129).
  const DocumentTemplate& MeasurementTemplate() const;
  /// The filter extension of the template that opens `path` (by its extension, any case);
  /// ".vqb" when none matches.
  std::u16string ExtensionFor(const std::filesystem::path& path) const;
  /// The filters of the open dialog: all document types first, then each type, then all
  /// files.
  QStringList OpenFilters() const;

 private:
  QString appName_;
  QString allFilesFilter_;  // "Alle Dateien (*.*)"
  std::vector<DocumentTemplate> templates_;
};

}  // namespace vantrel::gui
