#pragma once

// The database products the SQL layer knows; the ordinal values are stored by callers.
enum TADODBTyp { MSAccess = 0, MSSQL = 1, Oracle = 2, ADS = 3, ODBC = 4 };

// Whether statements are executed, only written to the statement log, or both.
enum TSQLReportMode { ExecOnly = 0, LogOnly = 1, ExecAndLog = 2 };
