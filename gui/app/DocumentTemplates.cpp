#include "gui/app/DocumentTemplates.h"

#include "app/MessageIds.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui {

DocumentTemplates::DocumentTemplates(const app::BrandedTexts& texts)
    : appName_(ToQString(texts.Names().applicationName)),
      allFilesFilter_(ToQString(texts.Text(ids::kStrAllFilesFilter))) {
  for (int id : {135, 129, 130, 131, 132, 133, 134}) {
    const QString docString =
        ToQString(app::ReplaceInDocumentString(texts.Library().DocumentString(id), texts.Names()));
    const QStringList fields = docString.split(QLatin1Char('\n'));
    DocumentTemplate t;
    t.resourceId = id;
    t.documentString = FromQString(docString);
    if (fields.size() > 4) {
      t.filterName = fields[3];
      t.extension = FromQString(fields[4].trimmed());
    }
    templates_.push_back(t);
  }
}

const DocumentTemplate& DocumentTemplates::MeasurementTemplate() const {
  for (const DocumentTemplate& t : templates_) {
    if (t.resourceId == 129) return t;
  }
  return templates_.front();
}

std::u16string DocumentTemplates::ExtensionFor(const std::filesystem::path& path) const {
  const QString extension = PathToQString(path.extension()).toLower();
  for (const DocumentTemplate& t : templates_) {
    if (!t.extension.empty() && ToQString(t.extension).toLower() == extension) return t.extension;
  }
  return u".vqb";
}

QStringList DocumentTemplates::OpenFilters() const {
  QStringList patterns;
  QStringList filters;
  for (const DocumentTemplate& t : templates_) {
    if (t.extension.empty() || t.filterName.isEmpty()) continue;
    patterns << QStringLiteral("*") + ToQString(t.extension);
    filters << t.filterName;
  }
  filters.prepend(QStringLiteral("%1 (%2)").arg(appName_, patterns.join(QLatin1Char(' '))));
  if (!allFilesFilter_.isEmpty()) filters << allFilesFilter_;
  return filters;
}

}  // namespace vantrel::gui
