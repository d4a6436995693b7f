// Default titles of new documents from the name field of a template's document string.
#include <gtest/gtest.h>

#include "document/DocumentTitle.h"

namespace vantrel::document {
namespace {

TEST(DocumentTitle, UntitledDocumentsAreNamedAfterTheDocumentStringAndNumbered) {
  struct Case {
    std::u16string documentString;
    int number;
    std::u16string title;
  };
  const Case cases[] = {
      {u"\nMessung\nGer\u00e4tedaten\nGer\u00e4tedaten (*.vqa)\n.vqa\nId\nName", 1, u"Messung1"},
      {u"\nMessung\nGer\u00e4tedaten", 12, u"Messung12"},
      {u"Fenster\nOnline", 2, u"Online2"},
      {u"\n\nGer\u00e4tedaten\n", 1, u"Unbenannt"},  // no name: the untitled text alone
      {u"", 1, u"Unbenannt"},
      {u"Messung", 1, u"Unbenannt"},  // the window title only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(UntitledTitle(c.documentString, c.number, u"Unbenannt"), c.title);
  }
  EXPECT_EQ(DocumentStringName(u"\nMessung\nGer\u00e4tedaten"), u"Messung");
}

}  // namespace
}  // namespace vantrel::document
