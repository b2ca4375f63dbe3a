#pragma once

#include <string>

namespace kestrel {

// Diagnostic names of the library's status and credentials numbers.
const char* StatusName(int status);
const char* CredentialsName(int credentials);

}  // namespace kestrel
