# Formats the results of tools/bench.sh as one table: figure, measured values, ratio, target.
#
# Input: the Wine rows of floor_bench.exe (tab-separated: figure, program, median, min, max,
# samples). Variables: host_results, the host benchmark's CSV ("name",iterations,real_time,
# cpu_time,time_unit,...,"list","peak/list","peak_heap"); wine_results, the input's path for the
# footer; rounds, how many rounds floor_bench ran.
function host_column(name, column,   line, fields, n, i) {
  while ((getline line < host_results) > 0) {
    n = split(line, fields, ",")
    if (fields[1] == "name") {
      for (i = 1; i <= n; i++) { gsub(/"/, "", fields[i]); header[fields[i]] = i }
      continue
    }
    gsub(/"/, "", fields[1])
    if (fields[1] == name) { close(host_results); return fields[header[column]] }
  }
  close(host_results)
  return ""
}
function row(what, measured, ratio, target, met) {
  printf "%-44s %-40s %-9s %-16s %s\n", what, measured, ratio, target, (met ? "met" : "MISSED")
}
function leg(what, figure, program) {
  if (program == "") program = "Kestrafil"
  printf "%-44s %-40s\n", what, sprintf("%.1f (%.1f-%.1f) ms", median[figure, program],
                                       low[figure, program], high[figure, program])
}
function mib(kib) { return sprintf("%.1f MiB", kib / 1024) }
function spread(figure, program) {
  return sprintf("%.0f (%.0f-%.0f)", median[figure, program], low[figure, program],
                 high[figure, program])
}
{ median[$1, $2] = $3; low[$1, $2] = $4; high[$1, $2] = $5; samples[$1, $2] = $6 }
END {
  K = "Kestrafil"; C = "floor_window_c"; CPP = "floor_window_cpp"
  printf "%-44s %-40s %-9s %-16s %s\n", "figure", "measured (median, min-max)", "ratio",
         "target", ""

  start = median["startup_ms", K] / median["startup_ms", C]
  row("start-up to an answering window, Wine",
      sprintf("%s / %s / %s ms", spread("startup_ms", K), spread("startup_ms", C),
              median["startup_ms", CPP]),
      sprintf("%.2fx", start), "<= 1.2x C", start <= 1.2)

  peak = median["peak_working_set_kib", K] / median["peak_working_set_kib", C]
  row("peak working set when idle, Wine",
      sprintf("%s / %s / %s", mib(median["peak_working_set_kib", K]),
              mib(median["peak_working_set_kib", C]), mib(median["peak_working_set_kib", CPP])),
      sprintf("%.2fx", peak), "<= 1.2x C", peak <= 1.2)

  size = median["size_bytes", K] / median["size_bytes", C]
  row("executable size",
      sprintf("%d / %d / %d bytes", median["size_bytes", K], median["size_bytes", C],
              median["size_bytes", CPP]),
      sprintf("%.2fx", size), "<= 3x C", size <= 3)

  click = median["click_to_script_over_wait_ms", K]
  row("click on Start to the script's start, Wine",
      sprintf("1000 ms + %.1f (%.1f-%.1f) ms, %d of %d", click,
              low["click_to_script_over_wait_ms", K], high["click_to_script_over_wait_ms", K],
              samples["click_to_script_over_wait_ms", K], rounds),
      "", "1000 + < 20 ms", click < 20)
  leg("  of which click to file.txt written", "click_to_list_written_ms")
  leg("  file.txt to XXXX.BAT written", "list_to_script_written_ms")
  leg("  XXXX.BAT to the process, less the wait", "script_written_to_process_over_wait_ms")
  leg("  floor: a bare start of a batch file", "batch_file_start_ms", "floor_caller")

  command = host_column("StartCommand/1000000/real_time_median", "real_time")
  raw = host_column("RawWrite/1000000/real_time_median", "real_time")
  row("Start command, 1,000,000 names",
      sprintf("%.1f ms, plain write %.1f ms", command, raw),
      sprintf("%.2fx", command / raw), "<= 2x write", command / raw <= 2)

  heap = host_column("StartCommand/1000000/real_time_median", "peak_heap")
  list = host_column("StartCommand/1000000/real_time_median", "list")
  row("its peak heap against the list",
      sprintf("%.1f MiB, list %.1f MiB", heap / 1048576, list / 1048576),
      sprintf("%.2fx", heap / list), "< 3x list", heap / list < 3)

  printf "\nKestrafil / C floor / C++ floor where three figures are given. Raw results: %s, %s.\n",
         host_results, wine_results
}
