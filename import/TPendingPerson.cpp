#include "import/TPendingPerson.h"

#include "register/TPersonTable.h"

namespace {

// Every field but `id`, in the row's order.
template <typename Visit> void ForEachTextField(Visit visit) {
    for (int field = static_cast<int>(TPersonField::pesel);
         field < static_cast<int>(TPersonField::Count); ++field)
        visit(static_cast<TPersonField>(field));
}

} // namespace

void TPendingPerson::Clear() {
    ForEachTextField([this](TPersonField field) { Text(field).clear(); });
    directed = false;
}

void TPendingPerson::AppendTo(TPersonTable& table) const {
    table.AppendRow();
    ForEachTextField([&](TPersonField field) { table.SetFieldText(field, Text(field)); });
    table.PostRow();
}
