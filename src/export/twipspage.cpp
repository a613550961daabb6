#include "export/twipspage.h"

#include "export/exportjob.h"

#include <QMarginsF>

#include <algorithm>

namespace exporting {

namespace {

constexpr int twipsPerInch = 1440;
constexpr int a4Short = 11906;
constexpr int a4Long = 16838;

int columnWeight(const engine::FieldDef &field)
{
    switch (field.type) {
    case engine::FieldType::Date: return 10;
    case engine::FieldType::Money: return 12;
    case engine::FieldType::Boolean: return 5;
    case engine::FieldType::AutoInc:
    case engine::FieldType::Integer: return 7;
    case engine::FieldType::Memo: return 30;
    case engine::FieldType::Char: break;
    }
    return std::clamp(field.size, 6, 30);
}

} // namespace

int TwipsPage::columnWidth(int column) const
{
    return usable() * weights[column] / std::max(totalWeight, 1);
}

TwipsPage TwipsPage::of(const ExportJob &job)
{
    TwipsPage page;
    for (int c = 0; c < job.columnCount(); ++c) {
        page.weights.append(std::max<int>(columnWeight(job.field(c)), std::min<int>(int(job.caption(c).size()), 14)));
        page.totalWeight += page.weights.last();
    }
    page.landscape = page.totalWeight > 90;
    page.width = page.landscape ? a4Long : a4Short;
    page.height = page.landscape ? a4Short : a4Long;
    const QMarginsF margins = job.pageMargins();
    page.left = qRound(margins.left() * twipsPerInch);
    page.right = qRound(margins.right() * twipsPerInch);
    page.top = qRound(margins.top() * twipsPerInch);
    page.bottom = qRound(margins.bottom() * twipsPerInch);
    return page;
}

} // namespace exporting
