# Turns the content text files into a source file of raw string literals.
file(READ "${GEOGRAPHY}" GEOGRAPHY_HISTORY_TIPS)
file(READ "${QUOTES}" INSPIRATIONAL_QUOTES)
file(READ "${LICENCE}" LICENCE)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
