/* The simulated driver file's version, shared by its version resource and by the values
   the installer writes beside it. */
#pragma once

#define KWLSVC08_VERSION 5, 1, 0, 22
#define KWLSVC08_VERSION_TEXT "5.1.0.22"
#define KWLSVC08_DATE_TEXT "6-20-2005"
#define KWLSVC08_DATE_YEAR 2005
#define KWLSVC08_DATE_MONTH 6
#define KWLSVC08_DATE_DAY 20
