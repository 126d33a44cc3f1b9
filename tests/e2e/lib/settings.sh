# Reading the game's encoded settings files from shell tests.

alphabet=ABCDEFGHJKLMNPQRSTUVWXYZ23456789
# Line N of a settings file, decoded; trailing "%" removed; printed as UTF-8.
setting() {
  local code bits="" v i k prefix hex=""
  code=$(sed -n "$2p" "$1" | tr -d '\r')
  for ((i = 0; i < ${#code}; i++)); do
    prefix=${alphabet%%"${code:i:1}"*}
    ((${#prefix} < 32)) || continue
    v=${#prefix}
    for ((k = 4; k >= 0; k--)); do bits+=$(((v >> k) & 1)); done
  done
  while ((${#bits} % 8)); do bits="0$bits"; done
  for ((i = 0; i < ${#bits}; i += 8)); do hex+=$(printf '%02x' $((2#${bits:i:8}))); done
  while [[ $hex == *25 ]]; do hex=${hex%25}; done
  hex=${hex#00}  # the flag words are not padded and come back with a NUL in front
  printf "$(sed 's/../\\x&/g' <<<"$hex")" | iconv -f CP1251 -t UTF-8
}
