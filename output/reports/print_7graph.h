#pragma once
// `Print7graph`: the 7-column form of the estimate `NumSmeta` holds, portrait, with the firm's
// details and its logo.

void Print7graph();
