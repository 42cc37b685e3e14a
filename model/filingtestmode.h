#pragma once

// Whether the program runs against the agency's test services. The
// application sets it from its configuration; the model only reads it, for
// the few filing rules that differ in a test run (a test case number is
// sent, a direct deposit form is skipped rather than refused).
bool filingTestMode();
void setFilingTestMode(bool on);
