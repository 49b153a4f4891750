#include "export/command_line.h"

namespace vorlen {

namespace {

bool IsExportSwitch(const std::wstring& argument) {
    if (argument.size() != 7 || (argument[0] != L'/' && argument[0] != L'-')) return false;
    const wchar_t* word = L"export";
    for (std::size_t i = 0; i < 6; ++i) {
        wchar_t c = argument[i + 1];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != word[i]) return false;
    }
    return true;
}

}  // namespace

CommandLineRequest ParseArguments(const std::vector<std::wstring>& arguments) {
    CommandLineRequest request;
    if (arguments.empty()) return request;
    if (IsExportSwitch(arguments[0])) {
        if (arguments.size() == 2 && !arguments[1].empty()) {
            request.kind = CommandLineRequest::Kind::Export;
            request.exportPath = arguments[1];
            return request;
        }
        request.kind = CommandLineRequest::Kind::Invalid;
        request.problem = arguments.size() < 2 || arguments[1].empty() ? L"/export の後に出力ファイル名がありません。"
                                                                       : L"余分な引数があります: " + arguments[2];
        return request;
    }
    request.kind = CommandLineRequest::Kind::Invalid;
    request.problem = L"不明な引数です: " + arguments[0];
    return request;
}

std::wstring UsageText() {
    return L"使い方: vorlen.exe [/export 出力ファイル名]\r\n"
           L"  引数なし: ウィンドウを開きます。\r\n"
           L"  /export: 一覧を CSV ファイルに書き出して終了します。";
}

}  // namespace vorlen
