# Sums up the opponents' progress sweep per level from its "level L seed S: worst_stall=... stalls=
# finished= opponents= times= reach=" lines: stalls of more than 10 s, the worst stall, finishers,
# the median and worst time from the green light to the finish in seconds, and the mean progress.
function field(name,    i) {
  for (i = 1; i <= NF; i++)
    if (index($i, name "=") == 1) return substr($i, length(name) + 2)
  return ""
}
/^level [0-9]+ seed [0-9]+: / {
  level = $2
  races[level]++
  stalls[level] += field("stalls")
  if (field("worst_stall") + 0 > worst[level]) worst[level] = field("worst_stall") + 0
  finished[level] += field("finished")
  opponents[level] += field("opponents")
  reach[level] += field("reach")
  t = field("times")
  if (t != "-" && t != "") {
    n = split(t, v, ",")
    for (i = 1; i <= n; i++) times[level, ++timeCount[level]] = v[i] + 0
  }
}
END {
  printf "%-5s %5s %6s %11s %15s %9s %8s %6s\n", "level", "races", "stalls", "worst_stall",
    "finished", "median_s", "worst_s", "reach"
  for (level = 1; level <= 9; level++) {
    if (!(level in races)) continue
    n = timeCount[level]
    # Insertion sort: a few hundred times at most.
    for (i = 2; i <= n; i++) {
      x = times[level, i]
      for (j = i - 1; j >= 1 && times[level, j] > x; j--) times[level, j + 1] = times[level, j]
      times[level, j + 1] = x
    }
    median = n ? sprintf("%.1f", times[level, int((n + 1) / 2)] / 90) : "-"
    slowest = n ? sprintf("%.1f", times[level, n] / 90) : "-"
    printf "%-5d %5d %6d %11d %7d of %-5d %9s %8s %6.0f\n", level, races[level], stalls[level],
      worst[level], finished[level], opponents[level], median, slowest, reach[level] / races[level]
  }
}
