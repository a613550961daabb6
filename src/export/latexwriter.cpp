#include "export/latexwriter.h"

#include "export/exportjob.h"
#include "export/outputbuffer.h"

namespace exporting {

namespace {

// Typographic characters that inputenc's utf8 with T1 fonts knows besides
// Latin-1 and Latin Extended-A (where the Turkish letters live).
bool knownPunctuation(char16_t c)
{
    switch (c) {
    case 0x2013: case 0x2014: case 0x2018: case 0x2019: case 0x201A:
    case 0x201C: case 0x201D: case 0x201E: case 0x2039: case 0x203A:
        return true;
    default:
        return false;
    }
}

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'\\': out += u"\\textbackslash{}"; break;
        case u'{': out += u"\\{"; break;
        case u'}': out += u"\\}"; break;
        case u'$': out += u"\\$"; break;
        case u'&': out += u"\\&"; break;
        case u'#': out += u"\\#"; break;
        case u'%': out += u"\\%"; break;
        case u'_': out += u"\\_"; break;
        case u'^': out += u"\\textasciicircum{}"; break;
        case u'~': out += u"\\textasciitilde{}"; break;
        case u'<': out += u"\\textless{}"; break;
        case u'>': out += u"\\textgreater{}"; break;
        case u'|': out += u"\\textbar{}"; break;
        case u'"': out += u"\\textquotedbl{}"; break;
        case u'\t': out += u' '; break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                break;
            Q_FALLTHROUGH();
        case u'\n': out += u"\\newline{}"; break;
        case 0x20AC: out += u"EUR"; break;
        default:
            if (c.unicode() < 0x20)
                break;
            // pdflatex stops at a character no loaded file defines; such a
            // character is written as "?" rather than leave a file that cannot compile.
            if (c.unicode() < 0x7F || (c.unicode() >= 0xA0 && c.unicode() <= 0x17F) || knownPunctuation(c.unicode()))
                out += c;
            else if (!c.isLowSurrogate())
                out += u'?';
        }
    }
    return out;
}

int columnWeight(const engine::FieldDef &field, const QString &caption)
{
    int weight = 10;
    switch (field.type) {
    case engine::FieldType::Date: weight = 10; break;
    case engine::FieldType::Money: weight = 12; break;
    case engine::FieldType::Boolean: weight = 5; break;
    case engine::FieldType::AutoInc:
    case engine::FieldType::Integer: weight = 7; break;
    case engine::FieldType::Memo: weight = 30; break;
    case engine::FieldType::Char: weight = std::clamp(field.size, 4, 30); break;
    }
    return std::max<int>(weight, std::min<int>(int(caption.size()), 14));
}

} // namespace

bool LatexWriter::write(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    const int columns = job.columnCount();
    const QMarginsF margins = job.pageMargins();
    QList<int> weights;
    int total = 0;
    for (int c = 0; c < columns; ++c) {
        weights.append(columnWeight(job.field(c), job.caption(c)));
        total += weights.last();
    }
    const bool landscape = total > 90;
    QString head = QStringLiteral(
        "\\documentclass[a4paper]{article}\n"
        "\\usepackage[utf8]{inputenc}\n"
        "\\usepackage[T1]{fontenc}\n"
        "\\usepackage[a4paper,%1left=%2in,right=%3in,top=%4in,bottom=%5in]{geometry}\n"
        "\\usepackage{longtable}\n"
        "\\usepackage{array}\n"
        "\\setlength{\\tabcolsep}{2pt}\n"
        "\\begin{document}\n"
        "\\footnotesize\n"
        "\\begin{longtable}{|")
        .arg(landscape ? QStringLiteral("landscape,") : QString())
        .arg(margins.left()).arg(margins.right()).arg(margins.top()).arg(margins.bottom());
    // The column widths share the line, less the padding and rules of every column.
    for (int c = 0; c < columns; ++c) {
        const double share = double(weights[c]) / std::max(total, 1);
        const bool right = job.type(c) == engine::FieldType::Money;
        head += QStringLiteral("%1p{\\dimexpr %2\\linewidth-%3pt\\relax}|")
                    .arg(right ? QStringLiteral(">{\\raggedleft\\arraybackslash}")
                               : QStringLiteral(">{\\raggedright\\arraybackslash}"))
                    .arg(share, 0, 'f', 4)
                    .arg(4.5, 0, 'f', 1);
    }
    head += u"}\n\\hline\n";
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            head += u" & ";
        head += QStringLiteral("\\textbf{%1}").arg(escaped(job.caption(c)));
    }
    head += u" \\\\\n\\hline\n\\endhead\n";
    out.appendUtf8(head);

    QString line;
    job.restart();
    while (job.nextRow()) {
        line.clear();
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                line += u" & ";
            line += escaped(job.displayText(c));
        }
        line += u" \\\\ \\hline\n";
        out.appendUtf8(line);
    }
    if (job.cancelled())
        return false;
    out.append("\\end{longtable}\n\\end{document}\n");
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

} // namespace exporting
