#pragma once

// The page's own texts, in the language of the texts, as JSON: the language's
// name, the buttons, the titles of its messages, the language switch's name,
// and the keys F1 lists (the rows of the window's help that hold for the
// page, with the page's own).

#include <string>

namespace web {

std::string TextsJson();

// The page's web app manifest, in the language of the texts, without its
// icons (the build adds those): the window's caption as the name, the
// window's grey as the theme, standalone from the page's own folder.
std::string ManifestJson();

}  // namespace web
