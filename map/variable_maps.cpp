#include "map/variable_maps.h"

namespace map {

// Options (2) and (3) draw no map yet; they name their inputs in the caption.
std::string drawVariableMap(PassContext& pass) {
  return "Favomap [" + pass.state.bmuFile + ", " + pass.state.wgtFile + "]";
}

std::string drawExternalMap(PassContext& pass) {
  return "Favomap [" + pass.state.bmuFile + ", " + pass.state.dataFile + "]";
}

}  // namespace map
