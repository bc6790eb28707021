#pragma once
// `ImprtRaszenok`: the rate import wizard, on a thread of its own. The user chooses a CSV file,
// maps its fields to the fields of a rate ("Выберите поля для импорта..."), and the import adds
// a rate per record.

void ImprtRaszenok();
