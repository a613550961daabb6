#pragma once

#include <memory>

namespace engine {
class Table;
class TableObserver;
}
namespace widgets { class TableAdapter; }

namespace forms {

// A TableAdapter for a lookup table that observes the table only while a
// dialog is shown. An engine table carries a single observer, and another
// window (an entry dialog's list, say) may hold that place for the life of the
// program; the lease takes the place on attach() and gives it back on
// release(), telling the previous observer that the rows, the cursor and the
// state may have changed meanwhile.
//
// The table must outlive the lease: its destructor touches the table.
class AdapterLease
{
public:
    // Makes the adapter without taking the table's observer place.
    explicit AdapterLease(engine::Table &table);
    // Releases the table when attached.
    ~AdapterLease();
    AdapterLease(const AdapterLease &) = delete;
    AdapterLease &operator=(const AdapterLease &) = delete;

    widgets::TableAdapter &adapter() const { return *m_adapter; }
    engine::Table &table() const { return m_table; }

    // The adapter becomes the table's observer and announces a reset so that
    // views over it catch up. No effect while attached.
    void attach();
    // The observer from before attach() comes back and is told to catch up.
    // No effect while detached.
    void release();
    bool isAttached() const { return m_attached; }

private:
    engine::Table &m_table;
    std::unique_ptr<widgets::TableAdapter> m_adapter;
    engine::TableObserver *m_own = nullptr;      // the adapter, seen as the table sees it
    engine::TableObserver *m_previous = nullptr; // the observer to give the table back to
    bool m_attached = false;
};

} // namespace forms
