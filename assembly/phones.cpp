#include "assembly/phones.h"

namespace assembly {

const std::array<TPhoneListItem, kPhoneModelCount> PhoneTable = {{
#include "assembly/phones_data.inc"
}};

}  // namespace assembly
