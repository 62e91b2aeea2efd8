#include "sql/versioninfo.h"

#include "sql/versionvalues.h"

#define ZEP_VERSION_SECTION ".zep_versioninfo"
#define ZEP_VERSION_ENTRY(key, value) "\\StringFileInfo\\040704E4\\" key "\0" value "\0"

const char kVersionInfoSectionName[] = ZEP_VERSION_SECTION;

namespace {
// clang-format off
[[gnu::used, gnu::section(ZEP_VERSION_SECTION)]] const char kVersionInfoBlock[] =
    ZEP_VERSION_ENTRY("CompanyName", "ZEPRouting")
    ZEP_VERSION_ENTRY("FileDescription", "ZEPRouting Karten-, Touren- und Einsatzplanung")
    ZEP_VERSION_ENTRY("FileVersion", ZEP_VERSION_FILE_VERSION)
    ZEP_VERSION_ENTRY("InternalName", "ZEPRouting")
    ZEP_VERSION_ENTRY("OriginalFilename", "ZEPRouting")
    ZEP_VERSION_ENTRY("ProductName", ZEP_VERSION_PRODUCT_NAME)
    ZEP_VERSION_ENTRY("ProductVersion", ZEP_VERSION_PRODUCT_VERSION);
// clang-format on
}  // namespace
