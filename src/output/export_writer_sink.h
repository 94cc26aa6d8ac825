#pragma once

#include "common/cp932_line_writer.h"
#include "common/progress.h"
#include "output/export_source.h"

// The sink through which a format writes its texts into the file. A format
// emits its lines through a sink (this one, or the preflight's, which checks
// the same texts), so that the check and the file cannot differ.
namespace mokpe::output {

class WriterSink {
public:
    WriterSink(common::Cp932LineWriter &out, const ExportSource &source, common::Progress &progress)
        : out_(out), steps_(progress, source.journal.journalRowCount())
    {}

    void beginRow(int) {}
    // Before journal row `row`: true when the user stopped the export (the
    // file is then given up, whatever has been written).
    bool stopAt(int row) { return steps_.stopAt(row - 1); }
    // The program's own text: separators, quotes, fixed values.
    void fixed(QStringView text) { out_.append(text); }
    // A text taken from journal column `column` (perhaps cut or padded).
    void cell(int, QStringView text, Quoting quoting) { put(text, quoting); }
    // A text from journal column `column` fitted to `width` characters (cut, or
    // padded with full-width spaces) and quoted: Fm3_ZenPad without a copy.
    void fittedCell(int, QStringView text, int width)
    {
        out_.append(QLatin1Char('"'));
        out_.append(text.left(width));
        for (qsizetype i = text.size(); i < width; ++i)
            out_.append(QChar(0x3000));
        out_.append(QLatin1Char('"'));
    }
    // The code of the account named in journal column `column`.
    void code(int, const QString &code) { out_.append(code); }
    // The date field of journal column 1.
    void date(int, const QString &field) { out_.append(field); }
    void dialogText(DialogItem, QStringView text, Quoting quoting) { put(text, quoting); }
    void endLine() { out_.endLine(); }

private:
    void put(QStringView text, Quoting quoting)
    {
        if (quoting == Quoting::Quoted) {
            out_.append(QLatin1Char('"'));
            out_.append(text);
            out_.append(QLatin1Char('"'));
        } else {
            out_.append(text);
        }
    }
    common::Cp932LineWriter &out_;
    common::ProgressSteps steps_;
};

} // namespace mokpe::output
