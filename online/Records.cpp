#include "online/Records.h"

#include <cassert>

namespace tarvo {

std::string& TInfo14::operator[](int i) {
    std::string* const fields[kCount] = {&Name1,    &Name2,   &About,      &Telephone, &EMailO,
                                         &Skype,    &WebSite, &OK,         &VK,        &Telegram,
                                         &FaceBook, &Twitter, &Instagramm, &YouTube};
    assert(i >= 0 && i < kCount);
    return *fields[i];
}

const std::string& TInfo14::operator[](int i) const {
    return const_cast<TInfo14&>(*this)[i];
}

} // namespace tarvo
