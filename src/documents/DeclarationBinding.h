#pragma once
// Moves a declaration between its value and the main window's fields,
// walking the key table: the fields are found by their control names.
#include "documents/Declaration.h"

namespace portdesk {

class MainPage;

// The fields' texts as they stand (a drop-down field gives its text).
Declaration declarationOnPage(const MainPage &page);

// Sets every field's text in key order, so that the editor's rules react to
// each as they would to typing.
void showDeclaration(MainPage &page, const Declaration &content);

} // namespace portdesk
