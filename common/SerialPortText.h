#pragma once

#include <string>
#include <string_view>

// The texts the port listing reads: names of entries in a links folder and
// the small attribute files of sysfs. Bytes in, value out; the listing reads
// the files and passes their bytes here.

// The port number of an entry named "COM<n>", n a whole decimal number above
// 0 written without sign or leading zeros; 0 for any other name.
int PortNumberOf(std::string_view name);

// What an attribute file holding bytes says: its first line, without the line
// break and without CRs and blanks at its end.
std::string AttributeText(std::string_view bytes);

// Whether the "type" attribute of a ttyS node names a UART: a decimal number
// (blanks and a sign allowed before it, anything after it) other than the
// serial core's "unknown" 0. No number reads as unknown.
bool IsUartType(std::string_view text);
