#pragma once

#include <QList>

namespace exporting {

class ExportJob;

// The page a word-processor table (RTF, Word) is laid out on, in twips
// (1/1440 inch): A4, turned to landscape when the columns need more than 90
// characters between them, with the job's margins. Each column's share of the
// usable width follows its weight, the characters its field and caption need.
struct TwipsPage
{
    QList<int> weights;
    int totalWeight = 0;
    bool landscape = false;
    int width = 0;
    int height = 0;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    int usable() const { return width - left - right; }
    int columnWidth(int column) const;

    static TwipsPage of(const ExportJob &job);
};

} // namespace exporting
