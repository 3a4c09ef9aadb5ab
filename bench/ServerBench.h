#pragma once
#include <QString>

// Round trips to the server of a start of the program and of one add through the editor,
// on a database the bench makes through the connection string it was given (and drops).
// Lines: "server_round_trips_<path>: N".
void serverRoundTrips(const QString& admin);
