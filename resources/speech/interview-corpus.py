#!/usr/bin/env python3
"""Writes the text the interview language model learns from: what recruiters, hiring managers and
candidates say in English job interviews, one lower-case sentence a line, without punctuation.

Every sentence comes from the phrase lists and templates below, written for this project. The
choice of combinations is fixed (a seeded generator), so the output never changes between builds.
"""

import itertools
import random
import sys

rng = random.Random(20240611)


def pick(items, count):
    items = list(items)
    if len(items) <= count:
        return items
    return rng.sample(items, count)


# ---------------------------------------------------------------------------------------------
# Building blocks

TECH = [
    "python", "java", "c plus plus", "javascript", "typescript", "react", "sql", "databases",
    "the cloud", "amazon web services", "docker", "kubernetes", "linux", "microservices",
    "machine learning", "data pipelines", "mobile development", "front end development",
    "back end systems", "distributed systems", "automated testing", "continuous integration",
    "agile methods", "scrum", "version control", "git", "rest apis", "security", "networking",
    "data analysis", "excel", "spreadsheets", "salesforce", "project management tools",
    "customer support software", "design tools", "performance tuning", "embedded systems",
    "golang", "rust", "ruby", "node", "android", "ios", "devops", "infrastructure",
    "monitoring", "analytics", "user research", "accessibility",
]

ROLES = [
    "software engineer", "senior software engineer", "developer", "data analyst",
    "data scientist", "product manager", "project manager", "designer", "team lead",
    "engineering manager", "sales representative", "account manager", "marketing specialist",
    "support engineer", "consultant", "business analyst", "quality engineer", "tester",
    "operations manager", "recruiter", "intern", "architect", "scrum master", "administrator",
]

PLACES = [
    "a small startup", "a large bank", "an insurance company", "a retail company",
    "a consulting firm", "a hospital", "a university", "a government agency",
    "a software company", "a logistics company", "an online shop", "a media company",
    "a telecom company", "a travel company", "a games studio", "a nonprofit",
]

NUMBERS = ["two", "three", "four", "five", "six", "seven", "eight", "ten", "twelve", "fifteen",
           "twenty"]

PRODUCTS = [
    "the payments system", "the mobile app", "the billing platform", "the search feature",
    "the checkout flow", "the reporting dashboard", "the customer portal", "the data warehouse",
    "the recommendation engine", "the internal tools", "the booking system", "the website",
    "the onboarding process", "the api", "the new release", "the migration", "the redesign",
    "the inventory system", "the login service", "the notification service",
    "the analytics platform", "the support chat", "the pricing page", "the order system",
]

EXPERIENCES = [
    "a conflict with a colleague", "a disagreement with your manager",
    "a difficult stakeholder", "a project that failed", "a project that went well",
    "a mistake you made", "a decision you regret", "a time you led a team",
    "a time you failed", "a time you had to learn something new",
    "a time you missed a deadline", "a time you worked under pressure",
    "a time you handled a difficult customer", "a time you changed your mind",
    "a time you received critical feedback", "a time you gave difficult feedback",
    "a time you took initiative", "a time you solved a hard problem",
    "a time you had to make a decision quickly", "a time you went beyond your role",
    "a time you disagreed with your team", "a time you had to persuade someone",
    "a time you had too much work", "a time you improved a process",
    "a situation where you had to adapt", "a situation where you had to prioritize",
    "a situation where things did not go as planned", "a situation where you showed leadership",
    "a challenge you overcame", "an achievement you are proud of",
    "the hardest problem you have solved", "the biggest risk you have taken",
    "your greatest professional achievement", "your most difficult project",
    "your favorite project", "your biggest failure", "your biggest success",
    "a project you led from start to finish", "a bug that took you a long time to find",
    "a time you mentored someone", "a time you worked with a remote team",
    "a time you had to say no", "a time you had to deliver bad news",
    "a time you were wrong", "a time you asked for help",
]

TOPICS = [
    "your background", "yourself", "your current role", "your last job", "your previous role",
    "your experience", "your career so far", "your education", "your resume",
    "your responsibilities", "your current team", "your last project", "your daily work",
    "your management style", "your leadership style", "your working style",
    "your strengths", "your weaknesses", "your goals", "your motivation",
    "your technical skills", "your communication style", "your biggest accomplishment",
    "your role in that project", "the architecture of that system", "the team you led",
    "the tools you used", "the results", "the outcome", "your approach", "your process",
    "the decisions you made", "the trade offs", "the challenges", "what you learned",
    "why you are looking for a new job", "why you left your last job",
    "why you want this position", "what you are looking for", "your career goals",
    "your experience with {tech}", "your work with {tech}",
]

SKILLS = [
    "handle stress", "deal with pressure", "manage your time", "prioritize your work",
    "organize your day", "stay motivated", "handle conflict", "give feedback",
    "receive feedback", "learn new skills", "keep your skills current", "work with others",
    "work in a team", "work on your own", "handle criticism", "make decisions",
    "solve problems", "approach a new problem", "deal with ambiguity", "handle change",
    "communicate with stakeholders", "explain technical ideas", "estimate your work",
    "plan a project", "test your code", "review code", "debug a problem", "handle deadlines",
    "balance quality and speed", "mentor junior colleagues", "manage a team",
    "build trust with a team", "onboard new people", "measure success", "set goals",
    "handle a difficult customer", "handle failure", "keep a project on track",
    "decide what to work on first", "deal with changing requirements",
    "stay productive when working from home", "handle many tasks at once",
    "document your work", "share knowledge", "approach code reviews",
    "handle disagreements in a team", "manage risk", "track your progress",
]

SITUATIONS = [
    "a project is running late", "two colleagues disagree", "you disagree with your manager",
    "a customer is unhappy", "the requirements change", "you make a mistake",
    "you do not know the answer", "a deadline is impossible", "a teammate is not pulling "
    "their weight", "you have too many priorities", "production goes down",
    "you find a serious bug before a release", "your manager is not available",
    "you inherit a messy code base", "a stakeholder asks for something unrealistic",
    "the team misses its goals", "you get conflicting instructions",
    "a new person joins the team", "you need to learn a new tool quickly",
    "someone takes credit for your work", "you are asked to cut corners",
]

TECH_THINGS = [
    "a url shortener", "a chat application", "a payment system", "a search engine",
    "a booking system", "a news feed", "a file storage service", "a rate limiter",
    "a cache", "a notification system", "a video streaming service", "a ride sharing app",
    "an online store", "a recommendation system", "a logging pipeline", "a web crawler",
    "a job scheduler", "a messaging queue", "a leaderboard", "a parking lot system",
]

TECH_PAIRS = [
    ("a process", "a thread"), ("a stack", "a queue"), ("sql", "no sql databases"),
    ("unit tests", "integration tests"), ("rest", "graph q l"), ("tcp", "udp"),
    ("an array", "a linked list"), ("a class", "an object"), ("http", "https"),
    ("a monolith", "microservices"), ("synchronous", "asynchronous code"),
    ("authentication", "authorization"), ("a list", "a set"), ("java", "javascript"),
    ("compiled", "interpreted languages"), ("horizontal", "vertical scaling"),
]

FIRSTS = ["first", "next", "last", "most important", "hardest"]


def recruiter_openers():
    return ["", "so ", "okay ", "okay so ", "great ", "alright ", "now ", "and ", "thanks ",
            "thank you ", "well ", "right ", "to start ", "let's start with this ",
            "my next question is ", "moving on ", "next question ", "good ", "perfect ",
            "that is helpful ", "thanks for sharing that ", "interesting "]


def topic_phrases():
    for topic in TOPICS:
        if "{tech}" in topic:
            for tech in pick(TECH, 12):
                yield topic.format(tech=tech)
        else:
            yield topic


# ---------------------------------------------------------------------------------------------
# Recruiters' questions

def requests():
    frames = [
        "tell me about {x}", "tell me a little about {x}", "tell me more about {x}",
        "tell us about {x}", "can you tell me about {x}", "could you tell me about {x}",
        "could you tell us about {x}", "would you tell me about {x}",
        "can you tell me a bit about {x}", "could you tell me a little more about {x}",
        "walk me through {x}", "can you walk me through {x}", "could you walk us through {x}",
        "talk me through {x}", "take me through {x}", "describe {x}", "can you describe {x}",
        "could you describe {x}", "please describe {x}", "i'd like to hear about {x}",
        "i would like to hear about {x}", "i'd love to hear about {x}",
        "i would like to know more about {x}", "i'd like to know about {x}",
        "let's talk about {x}", "explain {x}", "can you explain {x}", "share {x}",
        "can you share {x}", "could you share an example of {x}",
        "give me an example of {x}", "give me a quick overview of {x}",
    ]
    objects = list(topic_phrases()) + EXPERIENCES
    for x in objects:
        for frame in pick(frames, 9):
            yield frame.format(x=x)


def how_questions():
    frames = [
        "how do you {s}", "how would you {s}", "how did you {s} in your last role",
        "how do you usually {s}", "how do you typically {s}", "how do you like to {s}",
        "what is your approach when you {s}", "what is your strategy to {s}",
        "can you tell me how you {s}", "could you explain how you {s}",
        "how have you learned to {s}", "what helps you {s}", "how well do you {s}",
        "do you find it easy to {s}", "how does your team {s}",
        "tell me how you {s}", "describe how you {s}", "walk me through how you {s}",
        "give me an example of how you {s}",
    ]
    for s in SKILLS:
        for frame in pick(frames, 8):
            yield frame.format(s=s)


def situation_questions():
    frames = [
        "what do you do when {s}", "what would you do if {s}", "how do you react when {s}",
        "how would you handle it if {s}", "how do you respond when {s}",
        "what happens when {s}", "what is the first thing you do when {s}",
        "tell me what you would do if {s}", "walk me through what you do when {s}",
        "imagine {s} what would you do", "suppose {s} how would you handle it",
    ]
    for s in SITUATIONS:
        for frame in pick(frames, 6):
            yield frame.format(s=s)


def experience_questions():
    frames = [
        "do you have experience with {t}", "do you have any experience with {t}",
        "what experience do you have with {t}", "what is your experience with {t}",
        "how much experience do you have with {t}",
        "how many years of experience do you have with {t}", "have you worked with {t}",
        "have you ever used {t}", "have you used {t} in production",
        "are you comfortable with {t}", "are you familiar with {t}",
        "how comfortable are you with {t}", "how would you rate your skills in {t}",
        "what have you built with {t}", "when did you last use {t}",
        "why do you like {t}", "what do you dislike about {t}",
        "where did you learn {t}", "how did you learn {t}",
        "which projects used {t}", "is {t} something you enjoy",
        "would you be open to learning {t}", "did you use {t} in your last job",
        "which tools do you use for {t}", "what tools do you prefer for {t}",
    ]
    for t in TECH:
        for frame in pick(frames, 9):
            yield frame.format(t=t)


def motivation_questions():
    base = [
        "why do you want to work here", "why do you want this job",
        "why are you interested in this role", "why are you interested in our company",
        "what interests you about this position", "what made you apply for this job",
        "what attracted you to our company", "what drew you to this position",
        "why are you leaving your current job", "why did you leave your last job",
        "why are you looking for a new opportunity", "why do you want to change jobs",
        "why should we choose you", "why would you be a good fit for this team",
        "what makes you a good fit for this role", "what makes you unique",
        "what sets you apart from other candidates", "why are you the right person for this job",
        "what do you know about us", "what do you know about our products",
        "what do you know about this team", "how did you hear about this position",
        "how did you find out about us", "what do you think we do well",
        "what would you improve about our product", "what excites you about this role",
        "what are you passionate about", "what drives you", "what keeps you motivated",
        "what gets you out of bed in the morning", "what do you enjoy most about your work",
        "what do you like least about your current job", "what would make you leave a job",
        "where do you see yourself in five years", "where do you see yourself in ten years",
        "what are your long term career goals", "what are your goals for the next year",
        "what are you hoping to learn in this role", "what does success look like to you",
        "how do you define success", "what kind of work environment do you prefer",
        "what kind of team do you like to work in", "what kind of culture suits you best",
        "what type of manager works best for you", "what do you need from a manager",
        "how would your colleagues describe you", "how would your manager describe you",
        "how would your friends describe you", "what would your last manager say about you",
        "describe yourself in three words", "what are your greatest strengths",
        "what is your biggest strength", "what is your greatest weakness",
        "what is one area you want to improve", "what are you working on improving",
        "what is something you are proud of", "what is your proudest achievement",
        "what is the best feedback you have received", "what is the worst feedback you have "
        "received", "what have you learned from your mistakes", "how do you handle failure",
        "what did you learn from that experience", "what would you do differently next time",
        "looking back what would you change", "what was the result", "what was the outcome",
        "what was your role", "what was your contribution", "what was the impact",
        "how did the team react", "how did you measure the result", "who else was involved",
        "what happened next", "how did that make you feel", "what did your manager say",
        "how long did that take", "was it successful", "would you do it again",
        "what was the hardest part", "what did you enjoy about it", "why did you choose that",
        "why did you make that decision", "what other options did you consider",
        "what would you do with more time", "can you give me another example",
        "can you be more specific", "could you go into a bit more detail",
        "can you say more about that", "what do you mean by that", "how so",
        "why is that", "what else", "anything else", "and then what happened",
    ]
    yield from base


def leadership_questions():
    base = [
        "how do you motivate your team", "how do you handle an underperforming employee",
        "how do you deal with a difficult team member", "how do you delegate work",
        "how do you build a strong team", "how do you hire people",
        "how do you give feedback to your reports", "how do you run a one on one",
        "how many people have you managed", "how big was your team",
        "how large was your last team", "how many people reported to you",
        "have you ever had to let someone go", "have you managed managers before",
        "what is your leadership style", "how would your team describe you as a leader",
        "how do you handle conflict between team members", "how do you set priorities for "
        "your team", "how do you make sure everyone is heard", "how do you keep a team "
        "motivated during a hard project", "how do you grow people on your team",
        "how do you work with product managers", "how do you work with designers",
        "how do you handle pressure from leadership", "how do you communicate bad news",
        "how do you make a decision when the team disagrees", "how do you balance "
        "technical debt and new features", "how do you plan a roadmap",
        "how do you handle a project that is behind schedule",
    ]
    yield from base


def technical_questions():
    for thing in TECH_THINGS:
        for frame in pick([
            "how would you design {t}", "can you design {t}", "walk me through how you would "
            "build {t}", "how would you scale {t}", "what are the main parts of {t}",
            "how would you test {t}", "where would you store the data for {t}",
            "what could go wrong with {t}", "let's design {t} together",
            "how would you make {t} reliable",
        ], 5):
            yield frame.format(t=thing)
    for a, b in TECH_PAIRS:
        yield f"what is the difference between {a} and {b}"
        yield f"when would you use {a} instead of {b}"
        yield f"can you explain the difference between {a} and {b}"
    for tech in TECH:
        for frame in pick([
            "how does {t} work", "what are the pros and cons of {t}", "why would you use {t}",
            "what problems does {t} solve", "what are the limits of {t}",
            "how do you debug problems in {t}", "what are best practices for {t}",
            "how do you test {t}", "what do you think about {t}",
        ], 3):
            yield frame.format(t=tech)
    yield from [
        "how do you make sure your code is maintainable", "how do you write good tests",
        "what does clean code mean to you", "how do you handle technical debt",
        "how do you review a pull request", "what makes a good code review",
        "how do you find a memory leak", "how would you find a slow query",
        "how do you monitor a service in production", "what happens when you type a url "
        "into a browser", "how would you improve the performance of a web page",
        "how do you keep a system secure", "how do you handle errors",
        "what is your testing strategy", "how do you deploy your code",
        "how do you handle a production incident", "what is your debugging process",
        "how do you document a system", "what is the time complexity of this solution",
        "can you think of a faster solution", "how would you handle a million users",
        "what would you change if the data did not fit in memory",
        "how do you choose between two technologies", "what is your favorite language and why",
        "which programming languages do you know best", "what is the last thing you learned",
        "how do you stay current with technology", "what tech blogs or books do you follow",
    ]


def logistics_questions():
    yield from [
        "what are your salary expectations", "what salary are you looking for",
        "what is your expected salary", "what is your current salary",
        "what compensation are you expecting", "is the salary range okay for you",
        "what is your notice period", "when can you start", "when would you be able to start",
        "how soon can you join", "when are you available to start",
        "are you interviewing with other companies", "do you have any other offers",
        "are you open to relocation", "would you be willing to relocate",
        "are you comfortable working in the office", "are you open to hybrid work",
        "how many days a week would you like to be in the office",
        "do you need a visa to work here", "are you able to travel for work",
        "how do you feel about being on call", "are you okay with working across time zones",
        "do you prefer remote work or the office", "is this a good time to talk",
        "can you hear me well", "can you see my screen", "is my audio clear",
        "do you have any questions for us", "do you have any questions for me",
        "what questions do you have for me", "is there anything you would like to ask",
        "is there anything else you want us to know", "is there anything we have not covered",
        "is there anything you would like to add", "anything else you would like to share",
        "are you still interested in the role", "does that sound good to you",
        "does that make sense", "is that clear", "shall we get started", "are you ready",
        "should we move on to the next part", "can we start with a short introduction",
        "would you like a glass of water", "did you find the office easily",
        "how was your weekend", "how are you doing today", "how is your day going",
    ]


def questions():
    yield from requests()
    yield from how_questions()
    yield from situation_questions()
    yield from experience_questions()
    yield from motivation_questions()
    yield from leadership_questions()
    yield from technical_questions()
    yield from logistics_questions()


# ---------------------------------------------------------------------------------------------
# Small talk, introductions, process, closing

NAMES = ["anna", "david", "maria", "john", "sarah", "michael", "laura", "james", "emma",
         "daniel", "sophie", "thomas", "julia", "peter", "lisa", "mark", "kate", "paul"]
TEAMS = ["engineering", "product", "design", "data", "platform", "mobile", "sales",
         "marketing", "support", "security", "infrastructure", "finance", "operations"]


def recruiter_statements():
    for name in pick(NAMES, 10):
        yield f"hi my name is {name}"
        yield f"hello i'm {name} and i'm a recruiter here"
    for team in TEAMS:
        yield from pick([
            f"i lead the {team} team", f"i manage the {team} team here",
            f"i'm the hiring manager for the {team} team", f"i work on the {team} team",
            f"i'm an engineer on the {team} team", f"this role is on the {team} team",
            f"the {team} team is growing fast", f"you would be joining the {team} team",
            f"the {team} team has about ten people", f"i have been leading {team} for three "
            "years", f"let me tell you a bit about the {team} team",
        ], 5)
    yield from [
        "thanks for coming in today", "thank you for taking the time to speak with us",
        "thanks for making the time", "it is nice to meet you", "nice to meet you too",
        "good morning", "good afternoon", "welcome", "thanks for waiting",
        "sorry for the delay", "let me introduce myself first", "let me introduce the team",
        "let me tell you how this interview will work", "we have about an hour today",
        "we have forty five minutes", "i will start with a few questions about your "
        "background", "then we will do a technical exercise",
        "at the end you will have time for your questions",
        "i have read your resume", "i had a look at your profile",
        "your background looks very interesting", "that sounds great",
        "that makes sense", "that is a good answer", "that is interesting",
        "that is really helpful", "i see", "okay great", "great thank you", "sounds good",
        "perfect thank you", "thanks for explaining", "thanks for sharing",
        "let's move on", "let's move to the next topic", "let's switch gears",
        "let's go back to your last role", "i want to be mindful of time",
        "we are almost out of time", "we have a few minutes left",
        "the next step is a call with the team", "the next step is a technical interview",
        "the next round would be with our director", "the final step is a meeting with the "
        "team", "we will get back to you by the end of the week",
        "you will hear from us next week", "our recruiter will be in touch",
        "we are talking to a few other candidates", "we hope to decide soon",
        "the team works in two week sprints", "we work mostly remotely",
        "we are in the office three days a week", "the role is fully remote",
        "we have offices in several cities", "we are a team of about fifty people",
        "our company builds software for small businesses",
        "we just launched a new product", "we are growing quickly this year",
        "the salary range for this role is competitive", "we offer flexible hours",
        "we have a good training budget", "that is all from me",
        "that is everything on my list", "that is all the questions i have",
        "thank you for your time today", "it was great talking with you",
        "it was a pleasure to meet you", "have a great day", "have a nice evening",
        "take care", "goodbye", "bye for now", "enjoy the rest of your day",
    ]


# An interviewer's short replies between questions, after the acknowledgements that also lead into
# questions, so that "okay that" stays as likely as "okay what".
REPLY_LEADS = ["", "okay ", "ok ", "great ", "right ", "alright ", "good ", "perfect ", "i see ",
               "got it ", "thanks ", "thank you ", "sure ", "yes ", "yeah ", "nice ", "cool ",
               "interesting ", "fair enough "]
REPLIES = [
    "that makes sense", "that makes a lot of sense", "that makes sense to me", "that sounds good",
    "that sounds great", "that sounds fair", "that sounds like a lot of work", "that sounds hard",
    "that seems reasonable", "that seems fair", "that helps", "that helps a lot",
    "that helps me a lot", "that is helpful", "that is really useful", "that is clear",
    "that is a good point", "that is a fair point", "that is a great example", "that is good to know",
    "that is good to hear", "that's great", "that's fair", "that's interesting",
    "that's a good answer", "that's a good way to put it", "that's what we hoped to hear",
    "that works for us", "that works", "that matches what we need", "that answers my question",
    "that was my next question", "that happens a lot", "that is very common",
    "that must have been difficult", "that must have been a lot of pressure",
    "that is exactly the kind of thing we do here", "i like that", "i like that approach",
    "i agree with that", "i appreciate that", "we see that a lot too",
]


def replies():
    for reply in REPLIES:
        for lead in pick(REPLY_LEADS, 6):
            yield lead + reply


def candidate_statements():
    for role in ROLES:
        for place in pick(PLACES, 3):
            for years in pick(NUMBERS, 2):
                yield f"i worked as a {role} at {place} for {years} years"
        yield f"i'm currently a {role}"
        yield f"i have been a {role} for {rng.choice(NUMBERS)} years"
        yield f"before that i was a {role} at {rng.choice(PLACES)}"
    for product in PRODUCTS:
        yield from pick([
            f"i worked on {product} for {rng.choice(NUMBERS)} years",
            f"i was responsible for {product}", f"we rebuilt {product} last year",
            f"we shipped {product} in {rng.choice(MONTHS)}", f"i led the work on {product}",
            f"my team owned {product}", f"we moved {product} to the cloud",
            f"i designed {product} from scratch", f"we launched {product} on time",
            f"{product} had a lot of problems", f"we improved {product} a lot",
        ], 4)
    for tech in TECH:
        yield from pick([
            f"i have used {tech} for {rng.choice(NUMBERS)} years", f"i'm very comfortable with "
            f"{tech}", f"i have some experience with {tech}", f"i learned {tech} on the job",
            f"we used {tech} in my last job", f"i'm still learning {tech}",
            f"i really enjoy working with {tech}", f"i don't have much experience with {tech}",
        ], 3)
    for n in NUMBERS:
        yield f"i managed a team of {n} people"
        yield f"the team had {n} engineers"
        yield f"it took us about {n} weeks"
        yield f"we reduced the cost by {n} percent"
    yield from [
        "i think my biggest strength is communication", "i'm good at solving problems",
        "i'm very organized", "i work well under pressure", "i like to plan ahead",
        "sometimes i take on too much", "i'm working on delegating more",
        "i used to be a perfectionist", "i learned to ask for help earlier",
        "i'm looking for more responsibility", "i want to grow as an engineer",
        "i want to work on products that matter", "i like your mission",
        "i have followed your company for a while", "a friend of mine works here",
        "i saw the job posting online", "i'm ready for a new challenge",
        "my current company is going through a lot of changes",
        "i enjoy working with people", "i prefer small teams", "i like working remotely",
        "i can start in two weeks", "my notice period is one month",
        "i'm available immediately", "i'm open to relocating", "i'm not interviewing "
        "anywhere else", "i have another offer", "thank you for the opportunity",
        "i don't have any more questions", "yes i have a few questions",
        "that was a great question", "let me think about that for a second",
        "that is a good question", "i'm not sure but i would find out",
        "in that situation i would talk to my manager",
        "i would start by understanding the problem", "first i would ask questions",
        "then i would look at the data", "we wrote a lot of tests", "we did code reviews",
        "we used a lot of automation", "the project was a success",
        "the project did not go as planned", "we learned a lot from it",
        "in the end we delivered on time", "we missed the first deadline",
        "my manager gave me good feedback", "i made a mistake in the estimate",
        "i took responsibility for it", "we fixed it the same day",
        "the customer was happy in the end", "we had a disagreement about the design",
        "we found a compromise", "i listened to their concerns",
        "i explained my reasoning", "we agreed to try both options",
        "yes i can hear you", "yes i can see your screen", "sorry could you repeat that",
        "good thanks and you", "i'm doing well thank you", "thanks for having me",
    ]


MONTHS = ["january", "february", "march", "april", "may", "june", "july", "august",
          "september", "october", "november", "december"]




# ---------------------------------------------------------------------------------------------
# More shapes of questions: preferences, kinds, amounts, reflections, tags

PREFERENCE_PAIRS = [
    ("remote work", "the office"), ("small companies",
    "large companies"), ("front end", "back end work"), ("building new things",
    "improving existing systems"), ("leading people", "writing code"), ("planning ahead",
    "figuring it out as you go"), ("written communication", "meetings"),
    ("clear instructions", "freedom to decide"), ("depth", "breadth"),
    ("a fixed schedule", "flexible hours"), ("startups", "established companies"),
    ("pair programming", "working on your own"), ("short projects", "long projects"),
]

KINDS = [
    ("manager", ["do you work best with", "do you want to have",
                 "helped you grow the most"]),
    ("projects", ["do you enjoy most", "are you looking for", "have you led",
                  "excite you"]),
    ("problems", ["do you like to solve", "do you find hardest", "keep you up at night"]),
    ("team", ["do you want to join", "have you worked in", "helps you do your best"]),
    ("role", ["are you looking for", "would suit you best", "do you see yourself in"]),
    ("feedback", ["helps you most", "have you received", "do you find hard to hear"]),
    ("leader", ["are you", "do you want to become", "inspires you"]),
    ("people", ["do you like to work with", "do you find difficult to work with"]),
    ("culture", ["do you thrive in", "are you looking for"]),
    ("tools", ["do you rely on", "do you use every day"]),
]

REFLECTIONS = ["most challenging", "most interesting", "most rewarding", "most difficult",
               "hardest", "easiest", "most surprising", "most frustrating", "most fun",
               "most valuable"]

SUBJECTS = ["that project", "your last job", "your current role", "that experience",
            "the migration", "that team", "your studies", "working remotely",
            "leading the team", "that situation", "your first job", "the launch"]

PERIODS = ["first few weeks", "first month", "first three months", "first six months",
           "first year", "first thirty days", "first two weeks"]

CHANGES = ["your last job", "your current team", "your current company", "the way your team "
           "works", "your last project", "the hiring process", "your previous role",
           "how meetings are run", "your code base"]

STATEMENTS_FOR_TAGS = [
    "you worked there for three years", "you led that project", "you moved to a new team",
    "you have used python before", "you managed people in your last role",
    "you are based in the city", "you studied computer science", "you built that yourself",
    "the team was quite small", "you started there last year", "that was a remote role",
    "you were the only designer", "you have a notice period",
]


def more_questions():
    for a, b in PREFERENCE_PAIRS:
        yield f"do you prefer {a} or {b}"
        yield f"would you rather work on {a} or {b}"
        yield f"what do you enjoy more {a} or {b}"
    for noun, endings in KINDS:
        for ending in endings:
            yield f"what kind of {noun} {ending}"
            yield f"what type of {noun} {ending}"
    for adj in REFLECTIONS:
        for subject in pick(SUBJECTS, 5):
            yield f"what did you find {adj} about {subject}"
            yield f"what was the {adj.replace('most ', '')} part of {subject}"
    for period in PERIODS:
        yield f"what would you focus on in your {period}"
        yield f"what would you hope to achieve in your {period}"
        yield f"how would you spend your {period} here"
        yield f"what do you expect from your {period}"
    for thing in CHANGES:
        yield f"what would you change about {thing}"
        yield f"what is one thing you would improve about {thing}"
        yield f"if you could change one thing about {thing} what would it be"
        yield f"what do you like most about {thing}"
    for statement in STATEMENTS_FOR_TAGS:
        yield f"{statement} right"
        yield f"{statement} is that right"
        yield f"{statement} is that correct"
    for amount in ["how big is your current team",
                   "how many people were on the project", "how long did the project take",
                   "how often do you deploy", "how often do you meet with your manager",
                   "how quickly can you learn a new language", "how long have you been there",
                   "how many years have you worked in this field",
                   "how much of your time is spent coding", "how many interviews have you done",
                   "how far along are you with other companies", "how soon would you be free",
                   "how long is your commute", "how many hours a week do you work"]:
        yield amount
    for decision in ["make decisions", "decide what to build", "choose between two options",
                     "make a call", "decide when something is done"]:
        for condition in ["under time pressure", "when the data is unclear",
                          "when people disagree", "on your own"]:
            yield f"how do you {decision} {condition}"
    for verb in ["motivates you", "frustrates you at work", "makes you happy at work",
                 "makes a good day at work", "makes a great team", "makes a good manager",
                 "stresses you out", "gives you energy", "keeps you learning"]:
        yield f"what {verb}"
        yield f"tell me what {verb}"


def more_answers():
    for a, b in PREFERENCE_PAIRS:
        yield f"i prefer {a} but i am fine with {b}"
        yield f"i enjoy both {a} and {b}"
    for subject in SUBJECTS:
        yield f"the hardest part of {subject} was the deadline"
        yield f"what i liked about {subject} was the people"
        yield f"i learned a lot from {subject}"
    yield from [
        "i would spend the first weeks listening and learning",
        "i would meet everyone on the team", "i would try to understand the product first",
        "then i would look for quick wins", "i like to make decisions with data",
        "i write down my assumptions", "i talk to the people involved",
        "i check back later and adjust", "a good manager gives clear goals",
        "a good manager trusts the team", "i like direct feedback",
        "i do my best work in a calm environment",
        "i plan my week on monday", "i block time for deep work",
        "i keep my calendar up to date", "i use a notebook for my tasks",
        "i try to keep meetings short", "i like working alone when i need to focus",
        "we agreed on a new date", "we cut the scope", "we shipped a smaller version first",
        "i would use a picture or a story", "i check that they understood",
        "i take online courses", "i go to meetups", "i build small side projects",
        "i learn from my colleagues", "i look at the numbers",
    ]


# ---------------------------------------------------------------------------------------------
# Broader ground: the practical side of a job, a person's path, their views on how work is done,
# asked and answered in many phrasings.

CONDITIONS = [
    "travel", "working weekends", "working late", "being on call", "overtime", "relocating",
    "a hybrid schedule", "working from the office", "working remotely", "a long commute",
    "shift work", "a contract role", "a part time role", "a probation period",
    "working across time zones", "a fast pace", "frequent changes", "public speaking",
    "presenting to customers", "presenting to senior leaders", "working with clients",
    "a lot of meetings", "a small budget", "an early start", "a background check",
]

VIEWS = [
    "remote work", "open offices", "code reviews", "pair programming", "documentation",
    "writing tests", "estimates", "deadlines", "meetings", "working in sprints",
    "technical debt", "team rituals", "performance reviews", "feedback", "mentoring",
    "hiring", "on call rotations", "artificial intelligence", "new technology",
    "process", "planning", "working with other teams", "customer feedback",
    "working with sales", "open source", "flexible hours", "learning on the job",
]

FIELDS = [
    "sales", "marketing", "engineering", "design", "customer support", "finance", "teaching",
    "research", "data", "operations", "consulting", "product management", "the army",
    "retail", "health care", "journalism", "law", "accounting", "hospitality", "science",
]

PEOPLE = [
    "your manager", "your team", "your colleagues", "your clients", "your customers",
    "your direct reports", "senior leadership", "the other teams", "new hires",
    "the product owner", "the designers", "the sales team", "stakeholders", "your peers",
]

PAST_THINGS = [
    "your current job", "your last job", "your first job", "your degree", "your last team",
    "your last company", "your internship", "your time at university", "your side projects",
    "your previous employer", "your current employer", "your career so far",
    "the company you started", "your volunteer work", "your time abroad",
]


def practical_questions():
    for c in CONDITIONS:
        yield from pick([
            f"how do you feel about {c}", f"are you comfortable with {c}",
            f"would {c} be a problem for you", f"is {c} okay for you",
            f"are you open to {c}", f"how would you handle {c}",
            f"have you done {c} before", f"what do you think about {c}",
            f"would you be willing to do {c}", f"how much {c} is too much for you",
        ], 4)
    yield from [
        "what are your salary expectations", "what salary are you looking for",
        "what salary range do you have in mind", "what are you earning now",
        "what would it take for you to accept an offer", "are you interviewing anywhere else",
        "do you have other offers", "when could you start", "when are you available",
        "how much notice do you need to give", "what is your notice period",
        "do you need a visa", "do you need sponsorship to work here",
        "are you able to work in this country", "where are you based",
        "where do you live now", "would you move for this job", "are you willing to relocate",
        "how far are you from the office", "how many days a week can you come in",
        "what hours do you usually work", "can you work evenings if needed",
        "do you have a driving license", "do you speak any other languages",
        "is there anything that would stop you from starting soon",
        "what benefits matter most to you", "how important is flexibility to you",
        "is this your first interview with us", "have you applied here before",
        "who referred you", "how did you come across this role",
    ]


def path_questions():
    for thing in PAST_THINGS:
        yield from pick([
            f"what did you learn from {thing}", f"what did you like about {thing}",
            f"what did you not like about {thing}", f"why did you choose {thing}",
            f"how did {thing} prepare you for this role", f"what would you change about {thing}",
            f"what are you proudest of in {thing}", f"what was hard about {thing}",
            f"how would you sum up {thing}", f"what surprised you about {thing}",
        ], 4)
    for a in pick(FIELDS, 12):
        for b in pick(FIELDS, 3):
            if a != b:
                yield f"why did you move from {a} into {b}"
    for field in FIELDS:
        yield from pick([
            f"how did you get into {field}", f"what drew you to {field}",
            f"why did you leave {field}", f"what do you miss about {field}",
            f"what did {field} teach you", f"i started my career in {field}",
            f"i spent a few years in {field}", f"i moved into {field} after university",
            f"my background is in {field}", f"i studied {field}",
        ], 3)
    yield from [
        "what did you study", "why did you choose that subject", "where did you go to school",
        "how did you get your first job", "who has had the biggest influence on your career",
        "what is the best advice you have been given", "who was your best manager and why",
        "what did you learn from your worst manager", "what was your first job",
        "how has your role changed over the years", "what made you change careers",
        "what was the turning point in your career", "why did you start your own company",
        "what happened after the company was sold", "why is there a gap in your resume",
        "what did you do during the break", "why have you changed jobs so often",
        "why did you stay so long at your last company", "what are you most glad you did",
        "what would you tell your younger self", "what do you do outside of work",
        "how do you relax after a hard week", "what are your hobbies",
        "what are you reading at the moment", "what have you learned recently",
    ]


def view_questions():
    for v in VIEWS:
        yield from pick([
            f"what are your thoughts on {v}", f"what is your view on {v}",
            f"how do you feel about {v}", f"what is your take on {v}",
            f"what role does {v} play in your work", f"what makes {v} useful",
            f"when does {v} go wrong", f"how do you make {v} work well",
            f"what is good {v} in your opinion", f"how has your view of {v} changed",
        ], 4)
        yield from pick([
            f"i think {v} matters a lot", f"i have mixed feelings about {v}",
            f"we did a lot of {v} in my last team", f"for me {v} is about trust",
        ], 1)
    for who in PEOPLE:
        yield from pick([
            f"how do you build trust with {who}", f"how do you keep {who} informed",
            f"how do you push back on {who}", f"what do you expect from {who}",
            f"what would {who} say about you", f"how often do you talk to {who}",
            f"how do you handle a disagreement with {who}",
            f"how do you say no to {who}",
            f"how do you get {who} on board",
        ], 4)


# Subjects an interviewer may name alone after a pause ("What do you think about?" … "Burnout."),
# said alone and in a question. Written last and drawing nothing at random, so the sentences
# before them stay as they are.
NAMED_TOPICS = ["burnout"]


def named_topics():
    for topic in NAMED_TOPICS:
        yield topic
        yield f"what do you think about {topic}"
        yield f"how do you deal with {topic}"


# ---------------------------------------------------------------------------------------------
# Interjections said alone between questions, so that they are not heard as "you" or "to" and
# joined to the question before them. Generated last and without the shared generator, so the
# sentences above stay as they were.

INTERJECTIONS = ["phew", "wow", "yikes", "oops", "gosh", "whoa", "ouch"]


def interjections():
    yield from INTERJECTIONS


def with_openers(sentences, share):
    openers = recruiter_openers()
    for sentence in sentences:
        yield sentence
        if rng.random() < share:
            opener = rng.choice(openers)
            if opener:
                yield opener + sentence


def main():
    seen = set()
    lines = []
    for sentence in itertools.chain(with_openers(questions(), 0.35),
                                    with_openers(more_questions(), 0.35),
                                    with_openers(practical_questions(), 0.35),
                                    with_openers(path_questions(), 0.2),
                                    with_openers(view_questions(), 0.35),
                                    recruiter_statements(), replies(), candidate_statements(),
                                    more_answers(), named_topics(), interjections()):
        sentence = " ".join(sentence.split())
        if sentence and sentence not in seen:
            seen.add(sentence)
            lines.append(sentence)
    sys.stdout.write("".join(line + "\n" for line in lines))


if __name__ == "__main__":
    main()
