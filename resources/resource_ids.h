#ifndef POLKAMOOT_RESOURCE_IDS_H
#define POLKAMOOT_RESOURCE_IDS_H

// Plain macros: the resource compiler reads this file too and knows no C++.

#define IDI_POLKAMOOT 100
#define IDD_CONFIGURE 2003

#define IDS_DESCRIPTION 1
#define IDS_PROFILE_FILE 1001
#define IDS_SCREENSAVER 1002
#define IDS_PROFILE_SECTION 1007

// What a person reads: from 2000, a string block of its own, which each language carries in
// its own words; the data above stays in the English blocks alone.
#define IDS_NO_BEAR 2000
#define IDS_NO_BEAR_CAPTION 2001
#define IDS_BAD_MINUTES 2002
#define IDS_BAD_MINUTES_CAPTION 2003

#define IDC_SOUND 100
#define IDC_RED 102
#define IDC_BLUE 103
#define IDC_GREEN 104
#define IDC_YELLOW 105
#define IDC_MAGENTA 106
#define IDC_MINUTES 1001
#define IDC_RANDOM 1005

#endif
