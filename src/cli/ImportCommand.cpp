#include "cli/ImportCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "framework/CollatorTextOrder.h"
#include "framework/DiskStamp.h"
#include "framework/SafeWrite.h"
#include "import/ImportSession.h"
#include "model/Windows1252.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

// A failed save leaves the previous file as it was. The file is only replaced when it still
// holds what was read, so a save by another program while this one ran is not lost.
void SaveBodDocument(const std::string& strPath, const BodFile::Contents& document,
                     const CDiskStamp& read) {
    const std::string bytes =
        BodFile::Write(document.bods, document.nReserved2, document.nReserved1);
    const NativeFile::Name name = NativeFile::FromArgument(strPath);
    const QString strReason = SafeWrite::WriteFile(
        name, QByteArrayView(bytes.data(), qsizetype(bytes.size())), [&name, &read] {
            return CDiskStamp::Of(name) == read ? QString()
                                                : QStringLiteral("changed by another program while "
                                                                 "importing; nothing was imported");
        });
    if (!strReason.isEmpty()) {
        throw CDocumentError(strPath + ": " + strReason.toStdString());
    }
}

} // namespace

int RunImportCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {"--mode", "--note"});
    const std::vector<std::string>& files = commandArgs.Positionals(1, 2);
    const std::string& strBodPath = files[0];
    const std::string strTextPath = files.size() > 1 ? files[1] : std::string("-");

    // The rows are sorted as the Import dialog sorts them, so the deeds join in the same order.
    const CCollatorTextOrder order;
    CImportSession session(order);
    session.m_nPasteMode = commandArgs.PasteMode();
    session.m_strNote = Windows1252::DecodeIncoming(commandArgs.Value("--note").value_or(""));

    BodFile::Contents document;
    CDiskStamp read;
    const NativeFile::Name bodName = NativeFile::FromArgument(strBodPath);
    if (std::error_code error; std::filesystem::exists(bodName, error)) {
        const std::string bytes = ReadDocumentBytes(strBodPath);
        read = CDiskStamp(bodName, QByteArray::fromStdString(bytes));
        document = ParseBodDocument(bytes, strBodPath);
    }
    session.Paste(ReadInputBytes(strTextPath));
    session.ProcessAll();
    CBodArray imported = session.TakeProcessed();
    const int nImported = static_cast<int>(imported.size());

    if (nImported > 0) {
        document.bods.reserve(document.bods.size() + imported.size());
        for (std::unique_ptr<CBodItem>& pBod : imported) {
            document.bods.push_back(std::move(pBod));
        }
        SaveBodDocument(strBodPath, document, read);
    }
    std::cout << ImportMessage(nImported) << '\n' << std::flush;
    return 0;
}
