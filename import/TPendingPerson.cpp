#include "TPendingPerson.h"

#include "TPersonTable.h"

void TPendingPerson::Clear() {
    pesel.clear();
    nazwisko.clear();
    imie.clear();
    plec.clear();
    ste.clear();
    nis.clear();
    stanowisko.clear();
    directed = false;
}

void TPendingPerson::AppendTo(TPersonTable& table) const {
    table.AppendRow();
    table.SetFieldText("pesel", pesel);
    table.SetFieldText("nazwisko", nazwisko);
    table.SetFieldText("imie", imie);
    table.SetFieldText("plec", plec);
    table.SetFieldText("ste", ste);
    table.SetFieldText("nis", nis);
    table.SetFieldText("stanowisko", stanowisko);
    table.PostRow();
}
