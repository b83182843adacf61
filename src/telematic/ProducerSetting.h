// The fiscal code of the software producer that record B carries: a setting
// of the installation, key CodiceFiscaleProduttore of section [Fornitura] in
// etc/modellocu.ini, checked as a fiscal code.
#pragma once

#include <QString>

namespace cu {

class Folders;

// The installation's producer code. Missing or not a valid fiscal code: an
// EZfError naming the settings file, the section and the key.
QString producerFiscalCode(const Folders& folders);

// Whether the installation's settings name a producer code (valid or not).
bool hasProducerFiscalCode(const Folders& folders);

// Writes the producer code into the installation's settings file, keeping
// every other line; a code that is not a valid fiscal code is an EZfError.
void setProducerFiscalCode(const Folders& folders, const QString& code);

} // namespace cu
