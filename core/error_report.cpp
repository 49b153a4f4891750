#include "core/error_report.h"

namespace vorlen {

std::wstring FormatErrorReport(std::int32_t number, const std::wstring& description) {
    return L"実行時エラー'" + std::to_wstring(number) + L"'\r\n\r\n" + description;
}

}  // namespace vorlen
