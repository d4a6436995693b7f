// The title a new document gets from its template before anything names it: the name field
// of the template's document string followed by the document's number ("Messung1",
// "Messung2", ... for "\nMessung\n..."), as the readout and the online recording keep it
// for a measurement without a name.
#pragma once

#include <string>
#include <string_view>

#include "app/MessageIds.h"

namespace vantrel::document {

/// The "Untitled" text of the language library.
using ids::kStrUntitled;

/// The name field of a document string: the text between its first and second line feed
/// (the first field is the window title, unused here); empty when there is none.
std::u16string DocumentStringName(std::u16string_view documentString);

/// The default title of the `number`-th new document (counting from 1) of a template with
/// `documentString`; `untitledText` (the "Untitled" text, without a number) when the
/// document string names no document.
std::u16string UntitledTitle(std::u16string_view documentString, int number,
                             std::u16string_view untitledText);

}  // namespace vantrel::document
