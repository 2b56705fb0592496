#pragma once

#include "import/BodLineParser.h"
#include "model/BodArray.h"
#include "model/DuplicateFinder.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CTextOrder;

// One pasted deed line and the deed read from it. The row owns the deed until it is processed.
struct CImportRow {
    // What the list shows and sorts by: a tooltip's deed in short, else the pasted text.
    const std::string& Shown() const { return m_strLabel.empty() ? m_strText : m_strLabel; }

    std::string m_strText;
    // A tooltip's valid deed as its form names it, "SBOD/globe/iron/10/Normal - 0/10": every
    // tooltip begins with the same lines, so its text tells one from another too late.
    std::string m_strLabel;
    // The deed of a valid row until it is processed; an invalid row has none.
    std::unique_ptr<CBodItem> m_pBod;
    bool m_bValid = false;
    // A valid deed the document already holds, or one processed earlier in this session.
    bool m_bDuplicate = false;
};

// What the Import dialog does with pasted text, without the windows, so bodtool imports with the
// same rules: rows sorted by text, counters, processing with a note, and who owns which deed.
// Parsed deeds belong to their rows until processed, then to the result array until someone
// takes them (OK) or Cancel deletes them. Unprocessed deeds die with the session.
class CImportSession {
public:
    // order ranks the row texts; it is not owned and must outlive the session.
    explicit CImportSession(const CTextOrder& order);

    // A paste over rows replaces them, so callers ask the user first when this is true.
    bool HasRows() const { return !m_arrRows.empty(); }
    // The deeds of the document the import goes into, for the rows' duplicate marks.
    void AddKnownDeeds(const CBodArray& bods);
    const std::vector<CImportRow>& GetRows() const { return m_arrRows; }

    // Deletes every row with its deed, then lists rawText's deed lines (tooltip blocks in that
    // mode), read in m_nPasteMode and sorted by what they show (rows that compare equal keep
    // their order in text). Bytes that are not UTF-8 read as Windows-1252.
    void Paste(std::string_view rawText);
    // nRows are row indices in ascending order. Valid rows get the note and move to the result
    // array; invalid rows stay (the caller deselects them).
    void ProcessSelected(std::span<const int> nRows);
    // Every valid row, in list order.
    void ProcessAll();

    // Hands the processed deeds over, in processing order; the session keeps none of them.
    CBodArray TakeProcessed();
    // Deletes the processed deeds: the import was abandoned.
    void Cancel();

    int GetTotal() const { return m_nTotal; }
    int GetAdded() const { return m_nAdded; }
    int GetInvalid() const { return m_nInvalid; }
    // Rows in the list now that are marked as already in the document.
    int GetDuplicates() const { return m_nDuplicates; }
    bool IsProcessed() const { return m_bProcessed; }
    const CBodArray& GetProcessed() const { return m_arrProcessed; }

    // 0 = AOS, 1 = Pre-AOS, 2 = tooltips; read at the next paste.
    int m_nPasteMode = 0;
    // Given to each deed when it is processed.
    std::string m_strNote;

private:
    // Moves the row's deed to the result array; the emptied row is removed by RemoveProcessed.
    void ProcessRow(CImportRow& row);
    void RemoveProcessed();
    void MarkDuplicates();

    const CTextOrder& m_order;
    CBodLineParser m_parser;
    std::vector<CImportRow> m_arrRows;
    CBodArray m_arrProcessed;
    CDuplicateFinder m_known;
    int m_nTotal = 0;
    int m_nAdded = 0;
    int m_nInvalid = 0;
    int m_nDuplicates = 0;
    bool m_bProcessed = false;
};

// The message after an import: "1 BOD was imported." or "%d BOD's were imported.".
std::string ImportMessage(int count);
