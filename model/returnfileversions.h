#pragma once

// The file versions at which a field of the person record first appears.
// The model's reader and writer test them, and the print type tables export
// them for the print engine, which reads the same records: one list for both.
namespace returnfileversion {

constexpr int kNotes = 65716;         // note list (>=)
constexpr int kMarkerRuns = 65776;    // marker runs and barcode block (>)
constexpr int kFormIds = 65855;       // form ids and shared ids (>)
constexpr int kSlipSharedIds = 65856; // slip shared ids (>)
constexpr int kMarkerWord = 65865;    // marker word (>)
constexpr int kReservedWord = 65988;  // reserved word (>)
constexpr int kPassword = 66034;      // read password kept (>=)

} // namespace returnfileversion
