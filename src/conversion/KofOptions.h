#pragma once
// The options of the KOF output, as the KOF dialog's controls hold them: the five job
// texts of the "01" line and the two conversion check boxes, plus the path of the
// point-number conversion file.
#include "platform/Profile.h"

#include <string>
#include <vector>

namespace tavrelo {

struct KofOptions {
    // Tx(1)..Tx(5): the job line's texts. Project and Date are not stored.
    std::string Project;
    std::string Date;
    std::string Road;
    std::string City;
    std::string Surveyor;
    // ChkUPNC: not 0 loads the point-number table, 1 also converts point and station names.
    int UsePointNumberConversion = 0;
    // ChkUCC: 1 splits codes at their last "-".
    int UseCodeConversion = 0;
    // The point-number conversion file: the program folder followed by the stored name.
    std::string KofpointFile;
};

// Fills options from [KOF Settings] as the dialog loads: a missing or empty key leaves
// its member as it is; the check boxes take their value rounded to a whole number when
// that is 0, 1 or 2 (any other value leaves the box as it is); a stored KofpointFile
// becomes appPath followed by it.
void LoadKofOptions(const Profile& settings, const std::string& appPath, KofOptions& options);

// What the window's OK writes, in its order: Road, City, Surveyor,
// UsePointNumberConversion and UseCodeConversion ("Road=Main street",
// "UseCodeConversion=1"); KofpointFile is never written.
std::vector<KeyedValue> KofSettingsValues(const KofOptions& options);

} // namespace tavrelo
