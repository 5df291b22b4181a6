// The driver's error log report: reads the log from the registry and shows it in one box.
#pragma once

// Runs the report; returns 0 (the program's exit code).
int ReportDriverErrors();
