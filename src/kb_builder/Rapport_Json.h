#pragma once
// The key report's figures as one JSON document (UTF-8, indented), with the page's lists and
// their full counts; names in the report's language; means with two decimals, as the page.

#include <string>

#include "Rapport_Cle.h"

namespace kestrane::kb {

std::string Rapport_Json(const Rapport_Cle& rapport);

}  // namespace kestrane::kb
