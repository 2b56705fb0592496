#include "import/ImportSession.h"

#include "import/BodLineSplitter.h"
#include "model/TextOrder.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

CImportSession::CImportSession(const CTextOrder& order) : m_order(order) {}

void CImportSession::AddKnownDeeds(const CBodArray& bods) {
    for (const std::unique_ptr<CBodItem>& pBod : bods) {
        if (pBod) {
            m_known.Add(*pBod);
        }
    }
    MarkDuplicates();
}

namespace {

std::string TooltipLabel(const CBodItem& bod) {
    return (bod.IsLarge() ? "" : "SBOD/") + bod.m_strItem + '/' + bod.m_strMaterial + '/' +
           bod.m_strAmount + '/' + bod.m_strQuality + " - " + bod.m_strCount;
}

} // namespace

void CImportSession::Paste(std::string_view rawText) {
    m_arrRows.clear();
    const std::string text = Windows1252::DecodeIncoming(rawText);
    std::vector<std::string> blocks;
    const std::vector<std::string_view> lines = SplitPaste(text, m_nPasteMode, blocks);
    m_parser.m_nPasteMode = m_nPasteMode;
    std::vector<CImportRow> rows(lines.size());
    std::vector<std::string_view> shown(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        CImportRow& row = rows[i];
        row.m_strText = lines[i];
        row.m_bValid = m_parser.ParseLine(row.m_strText, row.m_pBod);
        if (!row.m_bValid) {
            // A row that is no deed shows only its text; its half-read deed would take many
            // times the text's memory in a paste of millions of such lines.
            row.m_pBod.reset();
        } else if (m_nPasteMode == CBodLineParser::kPasteTooltip) {
            row.m_strLabel = TooltipLabel(*row.m_pBod);
        }
        shown[i] = row.Shown();
    }
    const std::vector<std::uint32_t> ranks = m_order.Rank(shown);
    std::vector<std::uint32_t> order(lines.size());
    std::iota(order.begin(), order.end(), 0U);
    std::stable_sort(order.begin(), order.end(),
                     [&ranks](std::uint32_t a, std::uint32_t b) { return ranks[a] < ranks[b]; });

    m_arrRows.reserve(rows.size());
    m_nInvalid = 0;
    for (const std::uint32_t index : order) {
        m_nInvalid += rows[index].m_bValid ? 0 : 1;
        m_arrRows.push_back(std::move(rows[index]));
    }
    m_nTotal = static_cast<int>(m_arrRows.size());
    MarkDuplicates();
}

void CImportSession::MarkDuplicates() {
    m_nDuplicates = 0;
    for (CImportRow& row : m_arrRows) {
        row.m_bDuplicate = row.m_bValid && row.m_pBod && m_known.Contains(*row.m_pBod);
        m_nDuplicates += row.m_bDuplicate ? 1 : 0;
    }
}

void CImportSession::ProcessSelected(std::span<const int> nRows) {
    m_bProcessed = true;
    for (const int nRow : nRows) {
        if (nRow < 0 || static_cast<std::size_t>(nRow) >= m_arrRows.size()) {
            continue;
        }
        CImportRow& row = m_arrRows[static_cast<std::size_t>(nRow)];
        if (row.m_bValid && row.m_pBod) {
            ProcessRow(row);
        }
    }
    RemoveProcessed();
}

void CImportSession::ProcessAll() {
    m_bProcessed = true;
    for (CImportRow& row : m_arrRows) {
        if (row.m_bValid) {
            ProcessRow(row);
        }
    }
    RemoveProcessed();
}

void CImportSession::ProcessRow(CImportRow& row) {
    row.m_pBod->SetNotes(m_strNote);
    m_known.Add(*row.m_pBod);
    m_arrProcessed.push_back(std::move(row.m_pBod));
    ++m_nAdded;
}

void CImportSession::RemoveProcessed() {
    std::erase_if(m_arrRows, [](const CImportRow& row) { return row.m_bValid && !row.m_pBod; });
    // A twin of a row just processed is now a deed the document will hold.
    MarkDuplicates();
}

CBodArray CImportSession::TakeProcessed() {
    CBodArray arr;
    arr.swap(m_arrProcessed);
    return arr;
}

void CImportSession::Cancel() {
    FreeBodArray(m_arrProcessed);
}

std::string ImportMessage(int count) {
    return std::to_string(count) + (count == 1 ? " BOD was imported." : " BOD's were imported.");
}
