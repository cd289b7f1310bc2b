#pragma once
// A trace of a network game for whoever looks into one that went wrong: the
// messages sent and heard, how the connection ended, and what the side that
// plays by itself did (an order it could not give, a turn it passed). Each
// line goes to the standard error, stamped with timeGetTime. It is off unless
// the environment variable KRAMBOL_NET_TRACE is set when the program starts,
// so a player's game writes nothing.

// printf-style; the line ends by itself.
void NetTrace(const char* in_format, ...)
#if defined(__GNUC__) && !defined(_WIN32)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
