# Sourced by the scripts that use the worked example (tests/data/README.md).
#
#   sample_article K [crlf|lf|cr|bom-lf]   writes wording K (1 to 3) to
#                                           standard output with those line
#                                           breaks (crlf when left out)
#
# KESTRELWICK_SAMPLE_DIR is the folder of the sample files.

KESTRELWICK_SAMPLE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

sample_article() {
    local file="$KESTRELWICK_SAMPLE_DIR/dogs-$1.txt"
    case "${2:-crlf}" in
        crlf) sed 's/$/\r/' "$file" ;;
        lf) cat "$file" ;;
        bom-lf) printf '\xef\xbb\xbf'; cat "$file" ;;
        # A lone CR between lines and none after the last.
        cr) tr '\n' '\r' <"$file" | head -c -1 ;;
    esac
}
