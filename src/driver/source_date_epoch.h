// SOURCE_DATE_EPOCH, the reproducible-builds convention: the time that the
// output's header names, so that two runs on the same sources give the
// same bytes.
#ifndef SFLC_SOURCE_DATE_EPOCH_H
#define SFLC_SOURCE_DATE_EPOCH_H

// Reads the variable into g.source_date.  Unset, the header names the time
// of the run in local time.  Set, it must be a decimal number of seconds
// since 1970-01-01 00:00:00 UTC, up to the end of the year 9999 (the last
// that the header's form writes in four digits), and the header names that
// instant in UTC; anything else ends the run with a message and status 1,
// before any file is opened.
void read_source_date_epoch();

#endif
