#include "ui/dialogs/country_rules.h"

namespace kestrel {

bool IsOneOf(const std::string& country, std::initializer_list<const char*> codes) {
  for (const char* code : codes) {
    if (country == code)
      return true;
  }
  return false;
}

bool ReadCountryOrDriverCode(DialogServices& services, std::string& country) {
  if (!services.adapter.GetCountryCode(country))
    return false;
  if (country == "NA")
    services.parameters.ReadDriverParameter("ccode", country);
  return true;
}

}  // namespace kestrel
