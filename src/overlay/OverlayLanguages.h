#pragma once
#include <string>

class cmcGTex;

// The interface languages of the base overlay's "GI_Sys_Language": one line per language,
// fields separated by a tab: display name, overlay file (relative to the program folder),
// code page (1252 when missing) and the locale prefix that picks it at the first start
// ("ja" for LANG=ja_JP.UTF-8).
namespace ovlLang {

constexpr const char* kKey = "GI_Sys_Language";

// Lines of the list up to the first line beginning with "#", at most 255.
int Count(cmcGTex& base);
std::string Name(cmcGTex& base, int n);
std::string File(cmcGTex& base, int n);
int CodePage(cmcGTex& base, int n);
// The language whose locale prefix begins the desktop's locale name (LANG); -1 for none.
int ForLocale(cmcGTex& base, const std::string& locale);
// True when the file reads as a main overlay: it opens and holds the keys the main
// window cannot start without. Never fatal.
bool Usable(const std::string& path);

}  // namespace ovlLang
