#pragma once
// Text from outside (file names, option values, environment variables, the
// encoder's messages) made safe to print: printed raw, an escape sequence
// or a carriage return in a name could recolour or rewrite the terminal.
#include <initializer_list>
#include <string>
#include <string_view>

// `text` with every control character shown as an escape: \n, \r and \t by
// name, other C0 controls and DEL as \xNN, the C1 controls U+0080 to U+009F
// as \u00NN, and bytes that are not UTF-8 as \xNN. Everything else, the
// backslash among it, is kept, so escaping twice changes nothing more.
std::string escape_controls(const std::string& text);

// The parts one after another: one string built in place, where a chain of
// + would make and free a string at every step (and the code for each).
std::string joined(std::initializer_list<std::string_view> parts);
