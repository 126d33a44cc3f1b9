# Reads a race trace and reports the longest stretch (in frames) in which an opponent still racing
# did not raise its progress, how many times one stalled for more than 900 frames, how many
# finished, the frames from the green light to each finish, and how far the opponents got on
# average (the progress at the finish or at the end).
/ state=12 / {
  n = split($0, f, " ")
  opp = ""; fin = 0
  for (i = 1; i <= n; i++) {
    if (f[i] ~ /^frame=/) frame = substr(f[i], 7) + 0
    if (f[i] ~ /^opp=/) opp = substr(f[i], 5)
    if (f[i] ~ /^finished=/) fin = substr(f[i], 10) + 0
    if (f[i] ~ /^tick=/) tick = substr(f[i], 6) + 0
  }
  if (tick >= 250 && green == "") green = frame
  k = split(opp, p, ",")
  # Whoever just crossed the line leads those still racing (the finish lies past all of them).
  while (fin > finished) {
    lead = 0
    for (j = 1; j <= k; j++)
      if (!(j in done) && (lead == 0 || p[j] + 0 > p[lead] + 0)) lead = j
    if (lead == 0) break
    done[lead] = 1
    best[lead] = p[lead]
    times = times (finished ? "," : "") (frame - green)
    finished++
  }
  count = k
  if (tick < 260) next   # the start lights hold everyone
  for (j = 1; j <= k; j++) {
    if (j in done) continue
    if (!(j in best) || p[j] + 0 > best[j] + 0.001) { best[j] = p[j]; since[j] = 0 }
    else since[j]++
    if (since[j] > worst) worst = since[j]
    if (since[j] == 901) stalls++
  }
}
END {
  for (j = 1; j <= count; j++) reach += best[j] / count
  printf "worst_stall=%d stalls=%d finished=%d opponents=%d times=%s reach=%.0f\n", worst, stalls,
    finished, count, times == "" ? "-" : times, reach
}
