# Reads a race trace and reports the longest stretch (in frames) in which an opponent's progress did
# not rise while the race ran, and how many opponents finished.
/ state=12 / {
  n = split($0, f, " ")
  opp = ""; fin = 0; clock = ""
  for (i = 1; i <= n; i++) {
    if (f[i] ~ /^opp=/) opp = substr(f[i], 5)
    if (f[i] ~ /^finished=/) fin = substr(f[i], 10) + 0
    if (f[i] ~ /^clock=/) clock = substr(f[i], 7)
    if (f[i] ~ /^tick=/) tick = substr(f[i], 6) + 0
  }
  if (tick < 260) next   # the start lights hold everyone
  k = split(opp, p, ",")
  for (j = 1; j <= k; j++) {
    if (!(j in best) || p[j] + 0 > best[j] + 0.001) { best[j] = p[j]; since[j] = 0 }
    else since[j]++
    if (since[j] > worst) worst = since[j]
  }
  finished = fin; count = k
}
END { printf "worst_stall=%d finished=%d opponents=%d\n", worst, finished, count }
