#pragma once

class CKivSettings;

// The setting "Nur ID3v1 Tags lesen": profile value "Tags" / "NurID3v1", 1 to read only the ID3v1
// block of MP3 files, 0 (the default) to merge an ID3v2 tag in.
namespace KivTagSettings {

bool GetNurId3v1Lesen(const CKivSettings &settings);
void SetNurId3v1Lesen(CKivSettings &settings, bool only);

// Puts the stored value in force for every tag reader and writer of the process.
void Apply(const CKivSettings &settings);

} // namespace KivTagSettings
