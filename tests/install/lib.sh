# Shared by the install checks (sourced): a scratch folder removed on exit,
# and failures counted, so that one run reports them all.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vxr-check.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
finish() { [ "$failures" -eq 0 ] || exit 1; }
