#pragma once

#include "engine/layout.h"
#include "engine/value.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace data {

// The seven tables of the program, in the order the data set-up opens them.
enum class TableId {
    CustomerStatuses, // mct.DB, TMUSTERI_CEKTURLERI
    CompanyStatuses,  // fct.DB, TFIRMA_CEKTURLERI
    CompanyCheques,   // firma_cek.db, TF_CEK
    CompanyBanks,     // Firma_Banka_Bilgileri.db, TFIRMABANKABLG
    Payees,           // firmadan_ceki_alan.db, TCEKIALAN
    CustomerCheques,  // museri_cek.db, TM_CEK
    CustomerBanks,    // museri_bilgileri.db, TMUS_BLG
};
inline constexpr int kTableCount = 7;

// How the program shows one field: its label, its width in characters where
// one is set, whether grids leave it out.
struct FieldDisplay
{
    std::string name;
    std::string label;
    int width = 0; // display width in characters; 0 when none is set
    bool hiddenInGrid = false;
    bool readOnly = false;
    // Display format "#,###0.00" and edit format "###0.00" (amounts).
    bool amountFormat = false;
};

// One column of a grid's built-in column list.
struct GridColumn
{
    std::string field;
    int width = 0; // characters
    std::string title;
};

struct TableInfo
{
    TableId id;
    std::string component;  // TF_CEK
    std::string fileName;   // firma_cek.db, as the data folder holds it
    std::vector<FieldDisplay> fields;   // in stored order
    std::vector<std::string> rowSetOrder; // the order the data component presents the fields
    // Values every appended row starts with (the data component's defaults).
    std::vector<std::pair<std::string, engine::Value>> defaults;
    // The creation text, one entry per line, exactly as the table is created;
    // empty for the two status tables, which are seeded instead.
    std::vector<std::string> creationText;
    std::vector<std::string> seedRows; // status tables only, in stored order

    const FieldDisplay *field(std::string_view name) const;
};

const std::vector<TableInfo> &tables(); // in TableId order
const TableInfo &table(TableId id);

// The layout of a status table (one CHAR(15) field CEK_ADI, no key, no index).
engine::TableLayout statusTableLayout();
// The creation text of a table joined into one script.
std::string creationScript(const TableInfo &info);

// The built-in columns of the two ledger grids.
const std::vector<GridColumn> &companyGridColumns();  // GridFirmaCek
const std::vector<GridColumn> &customerGridColumns(); // GridMusteriCek

// The fields the two report queries expose.
const std::vector<std::string> &companyReportFields();  // FIRMA_SQL
const std::vector<std::string> &customerReportFields(); // MUSTERI_SQL

// The six customer statuses every installation starts with; the status
// definitions dialog protects them and the customer entry dialog reacts to them.
const std::vector<std::string> &builtInCustomerStatuses();

} // namespace data
