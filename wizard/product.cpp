#include "wizard/product.h"

namespace product {

const std::vector<std::wstring> kOverwriteList = {L"wysw8.dll", L"Vel.exe", L"VELHELP.HLP", L"velhelp.cnt"};

}  // namespace product
