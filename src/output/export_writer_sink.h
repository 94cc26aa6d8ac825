#pragma once

#include "common/cp932_line_writer.h"
#include "common/progress.h"
#include "journal/journal_grid.h"
#include "output/export_source.h"

// The sink through which a format writes its texts into the file. A format
// emits its lines through a sink (this one, or the preflight's, which checks
// the same texts), so that the check and the file cannot differ.
namespace mokpe::output {

class WriterSink {
public:
    WriterSink(common::Cp932LineWriter &out, const ExportSource &source, common::Progress &progress)
        : out_(out), journal_(source.journal), steps_(progress, source.journal.journalRowCount())
    {}

    void beginRow(int row) { row_ = row; }
    // Before journal row `row`: true when the user stopped the export (the
    // file is then given up, whatever has been written).
    bool stopAt(int row) { return steps_.stopAt(row - 1); }
    // The program's own text: separators, quotes, fixed values. A literal
    // stays where it is for the whole writing.
    template <size_t N> void fixed(const char16_t (&literal)[N]) { out_.appendLasting(literal); }
    void fixed(QStringView text) { out_.append(text); }
    // A text taken from journal column `column` (perhaps cut or padded).
    void cell(int column, QStringView text, Quoting quoting) { put(text, quoting, inCell(column, text)); }
    // A text from journal column `column` fitted to `width` characters (cut, or
    // padded with full-width spaces) and quoted: Fm3_ZenPad without a copy.
    void fittedCell(int column, QStringView text, int width)
    {
        static const QString padding(32, QChar(0x3000));
        out_.append(QLatin1Char('"'));
        if (inCell(column, text.left(width)))
            out_.appendLasting(text.left(width));
        else
            out_.append(text.left(width));
        for (qsizetype pad = width - text.size(); pad > 0; pad -= padding.size())
            out_.appendLasting(QStringView(padding).left(pad));
        out_.append(QLatin1Char('"'));
    }
    // The code of the account named in journal column `column`, kept by the
    // format's account look-up while it writes.
    void code(int, const QString &code) { out_.appendLasting(code); }
    // The date field of journal column 1.
    void date(int, const QString &field) { out_.append(field); }
    void dialogText(DialogItem, QStringView text, Quoting quoting) { put(text, quoting, false); }
    void endLine() { out_.endLine(); }

private:
    // Whether the text lies within the current row's cell of `column`: the
    // journal does not change while it is written, so its characters stay
    // where they are.
    bool inCell(int column, QStringView text) const
    {
        const QStringView cell = journal_.text(row_, column);
        return text.utf16() >= cell.utf16() && text.utf16() + text.size() <= cell.utf16() + cell.size();
    }
    // A text that is `lasting` stays where it is for the whole writing.
    void put(QStringView text, Quoting quoting, bool lasting)
    {
        if (quoting == Quoting::Quoted)
            out_.append(QLatin1Char('"'));
        if (lasting)
            out_.appendLasting(text);
        else
            out_.append(text);
        if (quoting == Quoting::Quoted)
            out_.append(QLatin1Char('"'));
    }
    common::Cp932LineWriter &out_;
    const journal::JournalGrid &journal_;
    int row_ = 0;
    common::ProgressSteps steps_;
};

} // namespace mokpe::output
