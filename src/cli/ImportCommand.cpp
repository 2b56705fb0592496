#include "cli/ImportCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "framework/CollatorTextOrder.h"
#include "import/ImportSession.h"
#include "model/Windows1252.h"

#include <iostream>

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

    // The paste is read first: the document stays locked only while it is read and written.
    session.Paste(ReadInputBytes(strTextPath));
    session.ProcessAll();
    CBodArray imported = session.TakeProcessed();
    const int nImported = static_cast<int>(imported.size());
    COpenedDocument document = OpenOrStartBodDocument(strBodPath);

    if (nImported > 0) {
        document.contents.bods.reserve(document.contents.bods.size() + imported.size());
        for (std::unique_ptr<CBodItem>& pBod : imported) {
            document.contents.bods.push_back(std::move(pBod));
        }
        SaveBodDocument(strBodPath, document, "importing; nothing was imported");
    }
    std::cout << ImportMessage(nImported) << '\n' << std::flush;
    return 0;
}
