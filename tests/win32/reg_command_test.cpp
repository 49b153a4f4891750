// The REG command lines run through the real cmd.exe and reg.exe: keys with
// hostile names, made under HKEY_CURRENT_USER, must reach REG whole, and
// nothing but REG may run.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "actions/reg_command.h"
#include "platform/win32/unique_handle.h"
#include "temp_folder.h"
#include "test_registry_key.h"

using vorlen::RegExportCommandLine;
using vorlen::RegExportCommandLineForPath;
using vorlen::RegQueryCommandLine;
using vorlen::RegQueryCommandLineForPath;
using vorlen::UninstallPlace;

namespace {

const std::wstring kTestKey = L"Software\\VorlenRegCommandTest";
const std::wstring kTestPath = L"HKEY_CURRENT_USER\\" + kTestKey + L"\\";

// Each would create "pwned.txt" in the working folder if cmd.exe ran it.
const std::vector<std::wstring> kHostileNames = {
    L"Tool With  Blanks",
    L"x & echo PWNED > pwned.txt",
    L"a\" & echo PWNED > pwned.txt & \"",
    L"\"x | echo PWNED > pwned.txt",
    L"end\"",
    L"^caret (paren) <in> |pipe !bang! ,;=",
    L"%PATH% 100% %windir% %%",
    L"キー名　テスト",
};

std::wstring Marker(std::size_t index) { return L"marker-" + std::to_wstring(index) + L"-end"; }

class OwnedHandle {
public:
    OwnedHandle() = default;
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { Close(); }
    HANDLE* Put() { return &handle_; }
    HANDLE Get() const { return handle_; }
    void Close() {
        if (handle_) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

struct Finished {
    bool inTime = false;
    std::string output;
};

// Runs the command line as the program does, in `folder`, with its output
// collected and an input that is already at its end (so cmd.exe /K returns
// once REG is done). A command still running after 30 seconds, such as a REG
// waiting for an answer no one can give, is ended with all it started.
Finished RunCommand(const std::wstring& commandLine, const std::wstring& folder) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    OwnedHandle outRead, outWrite, inRead, inWrite, job;
    Finished result;
    *job.Put() = CreateJobObjectW(nullptr, nullptr);
    if (!job.Get() || !CreatePipe(outRead.Put(), outWrite.Put(), &inherit, 0) ||
        !CreatePipe(inRead.Put(), inWrite.Put(), &inherit, 0)) {
        ADD_FAILURE() << "no job or pipe: " << GetLastError();
        return result;
    }
    SetHandleInformation(outRead.Get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inWrite.Get(), HANDLE_FLAG_INHERIT, 0);
    inWrite.Close();

    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = inRead.Get();
    startup.hStdOutput = outWrite.Get();
    startup.hStdError = outWrite.Get();
    PROCESS_INFORMATION process{};
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                        folder.c_str(), &startup, &process)) {
        ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
        return result;
    }
    AssignProcessToJobObject(job.Get(), process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    outWrite.Close();
    inRead.Close();

    // The pipe ends when every process holding it has ended.
    std::thread reader([&] {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(outRead.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
            result.output.append(buffer, read);
    });
    result.inTime = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!result.inTime) TerminateJobObject(job.Get(), 1);
    reader.join();
    CloseHandle(process.hProcess);
    return result;
}

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The text of a .reg file that REG EXPORT wrote (UTF-16 with its mark).
std::wstring RegFileText(const std::wstring& file) {
    const std::string bytes = TempFolder::ReadBytes(file);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return {};
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text +=
            static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

bool FolderIsEmpty(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    bool empty = true;
    do {
        const std::wstring name = found.cFileName;
        empty = empty && (name == L"." || name == L"..");
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return empty;
}

class RegCommand : public testing::Test {
protected:
    RegCommand() : key_(HKEY_CURRENT_USER, kTestKey), folder_(L"vorlen reg&cmd 100%") {
        for (std::size_t i = 0; i < kHostileNames.size(); ++i) {
            vorlen::UniqueHkey entry;
            RegCreateKeyExW(HKEY_CURRENT_USER, (kTestKey + L"\\" + kHostileNames[i]).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, entry.put(), nullptr);
            const std::wstring marker = Marker(i);
            RegSetValueExW(entry.get(), L"Marker", 0, REG_SZ, reinterpret_cast<const BYTE*>(marker.c_str()),
                           static_cast<DWORD>((marker.size() + 1) * sizeof(wchar_t)));
        }
    }

    TestRegistryKey key_;
    TempFolder folder_;
};

}  // namespace

TEST_F(RegCommand, QueryListsTheValuesOfEachHostileKeyAndRunsNothingElse) {
    for (std::size_t i = 0; i < kHostileNames.size(); ++i) {
        const auto line = RegQueryCommandLineForPath(kTestPath + kHostileNames[i]);
        ASSERT_TRUE(line.has_value());
        const Finished run = RunCommand(*line, folder_.Path());
        EXPECT_TRUE(run.inTime);
        EXPECT_NE(run.output.find(Ascii(Marker(i))), std::string::npos) << "key " << i << " output: " << run.output;
    }
    EXPECT_TRUE(FolderIsEmpty(folder_.Path())) << "a command other than REG ran";
}

TEST_F(RegCommand, QueryOfThePathEndingInABackslashListsTheWholeKey) {
    const Finished run = RunCommand(*RegQueryCommandLineForPath(kTestPath), folder_.Path());
    EXPECT_TRUE(run.inTime);
    EXPECT_NE(run.output.find("\\VorlenRegCommandTest\\Tool With  Blanks"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\\VorlenRegCommandTest\\x & echo PWNED > pwned.txt"), std::string::npos);
}

TEST_F(RegCommand, ExportWritesEachHostileKeyToAFileNamedWithCommandCharacters) {
    const std::wstring file = folder_.File(L"a&b (1) 100% %PATH% ^x;y=z,w!.reg");
    for (std::size_t i = 0; i < kHostileNames.size(); ++i) {
        const auto line = RegExportCommandLineForPath(kTestPath + kHostileNames[i], file);
        ASSERT_TRUE(line.has_value());
        EXPECT_TRUE(RunCommand(*line, folder_.Path()).inTime);
        const std::wstring written = RegFileText(file);
        EXPECT_NE(written.find(L"[" + kTestPath + kHostileNames[i] + L"]"), std::wstring::npos) << "key " << i;
        EXPECT_NE(written.find(Marker(i)), std::wstring::npos) << "key " << i;
        DeleteFileW(file.c_str());
    }
    EXPECT_TRUE(FolderIsEmpty(folder_.Path())) << "a command other than REG ran";
}

TEST_F(RegCommand, ExportWritesToAFileWithAJapaneseName) {
    const std::wstring file = folder_.File(L"キー名 & 100%.reg");
    TempFolder::WriteBytes(file, "");
    if (!TempFolder::Exists(file))
        GTEST_SKIP() << "Wine outside a Japanese or UTF-8 locale cannot name files in Japanese";
    const std::size_t japanese = kHostileNames.size() - 1;
    EXPECT_TRUE(
        RunCommand(*RegExportCommandLineForPath(kTestPath + kHostileNames[japanese], file), folder_.Path()).inTime);
    const std::wstring written = RegFileText(file);
    EXPECT_NE(written.find(L"[" + kTestPath + kHostileNames[japanese] + L"]"), std::wstring::npos);
    EXPECT_NE(written.find(Marker(japanese)), std::wstring::npos);
}

TEST_F(RegCommand, ExportReplacesAFileThatExistsWithoutWaitingForAnAnswer) {
    const std::wstring file = folder_.File(L"existing.reg");
    TempFolder::WriteBytes(file, "old content");
    const Finished run = RunCommand(*RegExportCommandLineForPath(kTestPath + kHostileNames[0], file), folder_.Path());
    EXPECT_TRUE(run.inTime) << "REG waited for an answer";
    const std::wstring written = RegFileText(file);
    EXPECT_NE(written.find(Marker(0)), std::wstring::npos) << "the old file was kept: " << run.output;
}

// The fixture VorlenThreePlaces has the same name in the three places, with
// other values in each: each command addresses its own.
TEST_F(RegCommand, QueryAndExportAddressTheKeyOfTheEntrysOwnPlace) {
    const std::vector<std::pair<UninstallPlace, std::string>> places = {
        {UninstallPlace::Machine, "(machine, 64-bit)"},
        {UninstallPlace::Machine32, "(machine, 32-bit)"},
        {UninstallPlace::User, "(current user)"}};
    const std::wstring file = folder_.File(L"place.reg");
    for (const auto& [place, name] : places) {
        const Finished query = RunCommand(*RegQueryCommandLine(place, L"VorlenThreePlaces"), folder_.Path());
        EXPECT_TRUE(query.inTime);
        EXPECT_NE(query.output.find("Vorlen Three Places " + name), std::string::npos) << query.output;
        EXPECT_EQ(query.output.find("Vorlen Three Places ("), query.output.rfind("Vorlen Three Places (")) << name;

        EXPECT_TRUE(RunCommand(*RegExportCommandLine(place, L"VorlenThreePlaces", file), folder_.Path()).inTime);
        const std::wstring written = RegFileText(file);
        const std::wstring displayName = L"Vorlen Three Places " + std::wstring(name.begin(), name.end());
        EXPECT_NE(written.find(displayName), std::wstring::npos) << name;
        EXPECT_EQ(written.find(L"Vorlen Three Places ("), written.rfind(L"Vorlen Three Places (")) << name;
        DeleteFileW(file.c_str());
    }
}
