// A moment of the show in the page's address: ?program=NAME&t=MS starts the
// show at shown time MS of that program (fennick: its clock count; a scene:
// the milliseconds since its start), and &paused holds it there.

// The address's moment: { ms, paused } with ms null when there is no t=, or
// null when t= is not a time (parseFrameTime's whole milliseconds).
function momentOf(params) {
  const ms = params.has("t") ? parseFrameTime(params.get("t")) : null;
  if (params.has("t") && ms === null) return null;
  return { ms, paused: params.has("paused") };
}

// The address of program `name` at shown time `ms`, paused or playing, on
// this page (a file:// page too).
function momentAddress(name, ms, paused) {
  const query = `?program=${encodeURIComponent(name)}&t=${ms >>> 0}${paused ? "&paused" : ""}`;
  return new URL(query, location.href).href;
}
