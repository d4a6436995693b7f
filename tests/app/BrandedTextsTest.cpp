// Tests of the texts as the programs show them: strings, dialog captions and control labels
// with the product names filled in, and an empty library that still answers every ID.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/BrandedTexts.h"
#include "app/MessageIds.h"

namespace vantrel::app {
namespace {

ProductNames Brand() {
  ProductNames names;
  names.applicationName = u"HydroView";
  names.deviceName = u"Multi-Tester";
  return names;
}

std::unique_ptr<LanguageLibrary> Library() {
  return LanguageLibrary::Parse(
      "[strings]\n"
      "100=Vantrel kann das Trevanometrix nicht finden.\n"
      "101=Ohne Platzhalter\n"
      "[dialogs]\n"
      "200=Über Vantrel\n"
      "[controls 200]\n"
      "1=OK\n"
      "1000=&Trevanometrix suchen\n");
}

TEST(BrandedTexts, StringsCaptionsAndLabelsCarryTheProductNames) {
  const std::unique_ptr<LanguageLibrary> library = Library();
  const BrandedTexts texts(*library, Brand());
  EXPECT_EQ(texts.Text(100), u"HydroView kann das Multi-Tester nicht finden.");
  EXPECT_EQ(texts.Text(101), u"Ohne Platzhalter");
  EXPECT_EQ(texts.DialogCaption(200), u"Über HydroView");
  EXPECT_EQ(texts.ControlText(200, 1), u"OK");
  EXPECT_EQ(texts.ControlText(200, 1000), u"&Multi-Tester suchen");
  EXPECT_EQ(&texts.Library(), library.get());
  EXPECT_EQ(texts.Names().applicationName, u"HydroView");
}

TEST(BrandedTexts, WhatTheLibraryLacksIsEmptyWithoutStandIns) {
  const std::unique_ptr<LanguageLibrary> empty = LanguageLibrary::Parse({});
  const BrandedTexts texts(*empty, Brand());
  for (const int id :
       {100, ids::kMsgOutOfMemory, ids::kMsgOpenFailed, ids::kMsgPictureUnavailable}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(texts.Text(id).empty());
  }
  EXPECT_TRUE(texts.DialogCaption(200).empty());
  EXPECT_TRUE(texts.ControlText(200, 1).empty());
}

}  // namespace
}  // namespace vantrel::app
