# Sourced by the scripts that run the sanitizer build: what the sanitizers
# report and stop on. Leaks inside the system's font and drawing libraries
# (their caches live until exit) are suppressed; ours are not.
tools_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$tools_dir/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
