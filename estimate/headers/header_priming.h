#pragma once
// The priming of a new estimate header from the global settings: charge names and rates 1 to 9,
// the firm as contractor with its director, and the three default indices. An index goes from
// DECIMAL(9,3) into DECIMAL(7,2) rounded half away from zero; one too wide for the header is
// not taken (the field stays 0, read as no index by the totals).

// Primes the thread's Headers buffer; false when a default index was too wide to be taken.
bool PrimeNewHeader();
