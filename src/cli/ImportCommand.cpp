#include "cli/ImportCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "framework/CollatorTextOrder.h"
#include "import/ImportSession.h"

#include <QFileInfo>
#include <QSaveFile>
#include <iostream>

namespace {

// Through QSaveFile, so a failed save leaves the previous file as it was.
void SaveBodDocument(const std::string& strPath, const BodFile::Contents& document) {
    const std::string bytes =
        BodFile::Write(document.bods, document.nReserved2, document.nReserved1);
    QSaveFile file(QString::fromStdString(strPath));
    // Unbuffered: a buffered write that the disk cuts short still commits as a success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        throw CDocumentError(strPath + ": " + file.errorString().toStdString());
    }
}

} // namespace

int RunImportCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {"--mode", "--note"});
    const std::vector<std::string>& files = commandArgs.Positionals(1, 2);
    const std::string& strBodPath = files[0];
    const std::string strTextPath = files.size() > 1 ? files[1] : std::string();

    // The rows are sorted as the Import dialog sorts them, so the deeds join in the same order.
    const CCollatorTextOrder order;
    CImportSession session(order);
    session.m_nPasteMode = commandArgs.PasteMode();
    session.m_strNote = commandArgs.Value("--note").value_or(std::string());

    BodFile::Contents document;
    if (QFileInfo::exists(QString::fromStdString(strBodPath))) {
        document = LoadBodDocument(strBodPath);
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
        SaveBodDocument(strBodPath, document);
    }
    std::cout << ImportMessage(nImported) << '\n' << std::flush;
    return 0;
}
