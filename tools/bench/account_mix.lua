-- The load of a busy club on the account service, for wrk: sign-ins, reads and saves of the
-- game record, and reads of the club top ten, by accounts u1..uN (password "pw" + six digits),
-- each of which has signed in once before the run.
local accounts = tonumber(os.getenv("TARVO_ACCOUNTS") or "1000")
-- With TARVO_PAUSE_MS each connection waits that long on average between a reply and its next
-- request, so the load has a set rate instead of as many requests as the server can take.
local pause = tonumber(os.getenv("TARVO_PAUSE_MS") or "0")
local headers = {["Content-Type"] = "application/x-www-form-urlencoded", ["User-Agent"] = "XorBlueWindow"}
local thread_number = 0

setup = function(thread)
  thread_number = thread_number + 1
  thread:set("seed", thread_number * 7919)
end

init = function()
  math.randomseed(seed)
end

if pause > 0 then
  delay = function()
    return math.floor(pause * (0.5 + math.random()))
  end
end

request = function()
  local i = math.random(1, accounts)
  local pw = string.format("pw%06d", i)
  local kind = math.random(100)
  local body
  if kind <= 25 then
    body = string.format("nick=u%d&&pw=%s&&label0=0", i, pw)
  elseif kind <= 60 then
    body = string.format("nick=u%d&&pw=%s&&vemro4best=0", i, pw)
  elseif kind <= 80 then
    body = string.format("nick=u%d&pw=%s&vemro4kon=%d&vemro4best=%d&vemro4rating=%d.%d&vemro4ses=%d"
                         .. "&vemro4konl=3&vemro4score=12&vemro4R1=0&vemro4R2=#",
                         i, pw, 3 * math.random(1, 40), math.random(0, 300), math.random(-20, 40),
                         math.random(0, 999), math.random(0, 4))
  else
    body = "vemro4kon=0"
  end
  return wrk.format("POST", "/account", headers, body)
end
