#include "profiles/card_config_id.h"

namespace kestrel {

CardConfigId::CardConfigId(DriverParameters& parameters, GuidSource& guids)
    : parameters_(parameters), guids_(guids) {}

bool CardConfigId::EnsureCardConfigId() {
  std::string existing;
  if (parameters_.ReadDriverParameter(kCardConfigIdValue, existing))
    return true;
  std::string text;
  if (!guids_.createGuidText(text))
    text = kFallbackCardConfigId;
  return parameters_.WriteDriverParameter(kCardConfigIdValue, text);
}

std::size_t CardConfigId::GetCardConfigId(std::string& id) {
  id.clear();
  if (!parameters_.ReadDriverParameter(kCardConfigIdValue, id)) {
    EnsureCardConfigId();
    parameters_.ReadDriverParameter(kCardConfigIdValue, id);
  }
  return id.size();
}

}  // namespace kestrel
