#pragma once
// Reads of a declaration's keys add the missing ones empty, as the Windows
// desks' reads do. A window that read through a batch stores those additions;
// a file that cannot take them is still shown, and the clerk told why.
#include <QString>

namespace portdesk {

class ProfileBatch;

// Saves the keys the batch's reads added; the reason it failed, or empty.
QString saveWriteBacks(ProfileBatch &file);

} // namespace portdesk
